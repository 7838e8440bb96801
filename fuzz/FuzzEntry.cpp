// libFuzzer's entry for one target, chosen at build time.
#include "FuzzTargets.h"

#include "link/MsgBox.h"

#include <QApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    // Nobody answers boxes here (the multi relay refusal, the port error).
    modLumentorMGW::SetMsgBoxHandler([](const QString &, int, const QString &) { return modLumentorMGW::vbOK; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return MGW_FUZZ_FUNCTION(data, size);
}
