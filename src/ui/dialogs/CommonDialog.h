#pragma once
// The window's file dialog object (cdFile): a file name, a filter in the
// pipe syntax ("Text (*.txt)|*.txt|All Files (*.*)|*.*"), flags, and Show
// Open / Show Save. The name, filter and flags stay between uses; a cancel
// leaves the name as it was and is told apart by the result.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

class CommonDialog {
public:
    // Flag bits.
    static constexpr int cdlOFNOverwritePrompt = 0x2;   // Save: confirm before replacing
    static constexpr int cdlOFNHideReadOnly = 0x4;      // no read-only box (there is none)
    static constexpr int cdlOFNPathMustExist = 0x800;   // the folder must exist
    static constexpr int cdlOFNFileMustExist = 0x1000;  // Open: the file must exist

    enum class Mode { Open, Save };

    // What a dialog is asked to show.
    struct Request {
        Mode mode;
        QString fileName;
        QString filter;
        int flags;
    };
    // Answers a dialog in place of the user: the chosen name, or nothing for
    // a cancel. The answer is taken as it comes, without the flags' checks.
    using Handler = std::function<std::optional<QString>(const Request &)>;

    // Installs handler for every dialog from now on and returns the one it
    // replaces; an empty handler brings the real dialog back.
    static Handler SetHandler(Handler handler);

    // The pipe filter as Qt name filters, one per entry: "Text (*.txt) (*.txt)".
    // Patterns split at ';'; "*.*" becomes "*" so names without a dot match.
    static QStringList NameFilters(const QString &filter);

    QString FileName;
    QString Filter;
    int Flags = 0;
    bool Cancelled = false;   // the last Show ended without a choice

    // True when a file was chosen: FileName then holds its full path in the
    // platform's spelling. On cancel FileName is unchanged.
    bool ShowOpen(QWidget *parent = nullptr);
    bool ShowSave(QWidget *parent = nullptr);

private:
    bool show(Mode mode, QWidget *parent);
    std::optional<QString> runDialog(Mode mode, QWidget *parent);

    QString lastFolder_;   // where a dialog without a folder in its name opens
};
