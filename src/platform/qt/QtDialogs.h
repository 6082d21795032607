#pragma once
// Message boxes and file dialogs on Qt, owned by a parent window once there is one.
#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

class QtDialogs : public Dialogs {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;
    std::vector<std::string> chooseOpenFiles(const std::string& title,
                                             const std::string& filter) override;
    std::string chooseSaveFile(const std::string& title, const std::string& filter,
                               const std::string& suggestedName) override;

  private:
    QPointer<QWidget> parent_;
};
