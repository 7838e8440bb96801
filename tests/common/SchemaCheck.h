#pragma once
// JSON against the schema that ships with mgw, by a real validator
// (python3-jsonschema), as a script's author would check it.
#include "common/TestFiles.h"

#include <QProcess>

// Every line of `lines` against the schema; the validator's words where one
// fails, empty when all fit.
inline QString SchemaErrors(const QString &folder, const QByteArray &lines)
{
    const QString file = folder + "/objects.jsonl";
    if (!WriteAll(file, lines))
        return "cannot write " + file;
    QProcess python;
    python.start("python3", {"-c",
                             "import json, sys, jsonschema\n"
                             "schema = json.load(open(sys.argv[1]))\n"
                             "v = jsonschema.Draft202012Validator(schema)\n"
                             "for n, line in enumerate(open(sys.argv[2]), 1):\n"
                             "    for e in v.iter_errors(json.loads(line)):\n"
                             "        print(n, list(e.absolute_path), e.message)\n",
                             MGW_SCHEMA, file});
    python.waitForFinished(30000);
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
}
