#pragma once

#include <optional>
#include <string>

enum class MessageBoxType { Ok, YesNo };
enum class MessageBoxResult { Ok, Yes, No };

// What a file dialog is asked for.
struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind eKind = Kind::Open;
    std::string strDefaultExt;   // added when the typed name has none, e.g. "map"
    std::string strInitialName;  // proposed file name, or empty
    std::string strInitialDir;   // the folder it opens in when that exists, else the current one
    std::string
        strFilter;  // description|pattern pairs ended by "||", e.g. "Map Files (*.map)|*.map||"
};

// The services a program of ours takes from its desktop: message boxes, file dialogs and the
// path of its own executable. The editor uses the desktop's; tests answer from a script.
class IPlatformServices {
public:
    virtual ~IPlatformServices() = default;

    // A modal box titled with the application's name; the caller waits for the answer.
    virtual MessageBoxResult ShowMessageBox(const std::string& text, MessageBoxType type) = 0;
    // A modal open or save dialog: the chosen file's full path, or nothing when cancelled.
    // A save dialog asks before it accepts an existing file.
    virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request) = 0;
    // The full path of the running executable.
    virtual std::string GetExecutablePath() const = 0;
};
