#pragma once
// A Dialogs fake for window tests: it answers the boxes a test announces, in order, and notes every
// box it did not expect; a test checks problems() at its end (Qt Test has no failure from inside a
// callee).
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

class QtScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    // A message box with this GBK text (std::nullopt: any text) and icon.
    QtScriptedDialogs& expectMessage(std::optional<std::string> text, MessageIcon icon,
                                     MessageAnswer answer = MessageAnswer::Ok) {
        expected_.push_back({std::move(text), icon, answer});
        return *this;
    }

    MessageAnswer showMessage(const std::string& text, const std::string&, MessageIcon icon,
                              MessageButtons buttons) override {
        shown_.push_back({text, icon, buttons});
        if (expected_.empty()) {
            problems_ << "unexpected message box: " + QString::fromStdString(gbkToUtf8(text));
            return MessageAnswer::Cancel;
        }
        Expected e = std::move(expected_.front());
        expected_.pop_front();
        if (e.text && *e.text != text)
            problems_ << "message box \"" + QString::fromStdString(gbkToUtf8(text)) +
                             "\" where \"" + QString::fromStdString(gbkToUtf8(*e.text)) +
                             "\" was expected";
        if (e.icon != icon)
            problems_ << "wrong icon on \"" + QString::fromStdString(gbkToUtf8(text)) + "\"";
        if (onShown) onShown();
        return e.answer;
    }
    std::vector<std::string> chooseOpenFiles(const std::string&, const std::string&) override {
        problems_ << "unexpected open-files dialog";
        return {};
    }
    std::string chooseSaveFile(const std::string&, const std::string&,
                               const std::string&) override {
        problems_ << "unexpected save-file dialog";
        return {};
    }

    // Everything that went wrong so far, expected boxes never shown included.
    QStringList problems() const {
        QStringList all = problems_;
        for (const Expected& e : expected_)
            all << "expected message box never shown: " +
                       QString::fromStdString(e.text ? gbkToUtf8(*e.text) : "(any text)");
        return all;
    }
    const std::vector<Shown>& shown() const { return shown_; }

    // Runs while a box is "open", after it was checked: what a user could do meanwhile.
    std::function<void()> onShown;

  private:
    struct Expected {
        std::optional<std::string> text;
        MessageIcon icon;
        MessageAnswer answer;
    };
    std::deque<Expected> expected_;
    std::vector<Shown> shown_;
    QStringList problems_;
};
