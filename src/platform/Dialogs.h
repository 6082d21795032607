#pragma once
// Message boxes and file dialogs. The windows use a Qt implementation; tests use a scripted fake
// that answers the boxes a test expects. All texts are GBK.
#include <string>
#include <vector>

enum class MessageIcon { Information, Warning, Exclamation, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer showMessage(const std::string& text, const std::string& title,
                                      MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;
    // filter as in "CSV文件 (*.csv);;文本文件 (*.txt)"; an empty result means cancelled.
    virtual std::vector<std::string> chooseOpenFiles(const std::string& title,
                                                     const std::string& filter) = 0;
    virtual std::string chooseSaveFile(const std::string& title, const std::string& filter,
                                       const std::string& suggestedName) = 0;
};
