#pragma once
// A Dialogs fake for tests: it answers the boxes and file dialogs a test announces, in order, and
// fails the test on any box it did not expect and on any expected box never shown.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        std::string text;
        std::string title;
        MessageIcon icon;
        MessageButtons buttons;
    };

    ~ScriptedDialogs() override {
        for (const Expected& e : expected_) {
            ADD_FAILURE() << "expected dialog never shown: " << describe(e);
        }
    }

    // A message box with exactly this text (GBK; std::nullopt: any text) and icon; the title is
    // checked when given.
    ScriptedDialogs& expectMessage(std::optional<std::string> text, MessageIcon icon,
                                   MessageAnswer answer = MessageAnswer::Ok,
                                   std::optional<std::string> title = std::nullopt) {
        Expected e;
        e.kind = Kind::Message;
        e.text = std::move(text);
        e.icon = icon;
        e.answer = answer;
        e.title = std::move(title);
        expected_.push_back(std::move(e));
        return *this;
    }

    // An open-files dialog answered with these GBK paths (empty: cancelled).
    ScriptedDialogs& expectOpenFiles(std::vector<std::string> files) {
        Expected e;
        e.kind = Kind::OpenFiles;
        e.files = std::move(files);
        expected_.push_back(std::move(e));
        return *this;
    }

    // A save-file dialog answered with this GBK path (empty: cancelled).
    ScriptedDialogs& expectSaveFile(std::string file) {
        Expected e;
        e.kind = Kind::SaveFile;
        e.files = {std::move(file)};
        expected_.push_back(std::move(e));
        return *this;
    }

    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        shown_.push_back({text, title, icon, buttons});
        std::optional<Expected> e = next(Kind::Message, "message box \"" + gbkToUtf8(text) + "\"");
        if (!e) return MessageAnswer::Cancel;
        if (e->text) EXPECT_EQ(gbkToUtf8(text), gbkToUtf8(*e->text));
        if (e->title) EXPECT_EQ(gbkToUtf8(title), gbkToUtf8(*e->title));
        EXPECT_EQ(static_cast<int>(icon), static_cast<int>(e->icon))
            << "icon of \"" << gbkToUtf8(text) << "\"";
        return e->answer;
    }

    std::vector<std::string> chooseOpenFiles(const std::string& title,
                                             const std::string& filter) override {
        std::optional<Expected> e =
            next(Kind::OpenFiles, "open dialog \"" + gbkToUtf8(title) + "\" " + gbkToUtf8(filter));
        return e ? e->files : std::vector<std::string>{};
    }

    std::string chooseSaveFile(const std::string& title, const std::string& filter,
                               const std::string& suggestedName) override {
        std::optional<Expected> e =
            next(Kind::SaveFile, "save dialog \"" + gbkToUtf8(title) + "\" " + gbkToUtf8(filter) +
                                     " " + gbkToUtf8(suggestedName));
        return e ? e->files.front() : std::string{};
    }

    const std::vector<Shown>& shown() const { return shown_; }
    bool allAnswered() const { return expected_.empty(); }

  private:
    enum class Kind { Message, OpenFiles, SaveFile };
    struct Expected {
        Kind kind = Kind::Message;
        std::optional<std::string> text;
        std::optional<std::string> title;
        MessageIcon icon = MessageIcon::Information;
        MessageAnswer answer = MessageAnswer::Ok;
        std::vector<std::string> files;
    };

    std::optional<Expected> next(Kind kind, const std::string& what) {
        if (expected_.empty() || expected_.front().kind != kind) {
            ADD_FAILURE() << "unexpected " << what;
            return std::nullopt;
        }
        Expected e = std::move(expected_.front());
        expected_.pop_front();
        return e;
    }

    static std::string describe(const Expected& e) {
        switch (e.kind) {
            case Kind::Message:
                return "message box \"" + (e.text ? gbkToUtf8(*e.text) : "(any text)") + "\"";
            case Kind::OpenFiles:
                return "open-files dialog";
            case Kind::SaveFile:
                return "save-file dialog";
        }
        return {};
    }

    std::deque<Expected> expected_;
    std::vector<Shown> shown_;
};
