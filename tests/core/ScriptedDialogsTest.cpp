// The scripted dialogs fake must fail a test on every box the test did not announce.
#include "support/ScriptedDialogs.h"

#include <gtest/gtest-spi.h>

namespace {

TEST(ScriptedDialogs, AnswersAnnouncedBoxesInOrder) {
    ScriptedDialogs dialogs;
    dialogs.expectMessage("first", MessageIcon::Question, MessageAnswer::Cancel)
        .expectOpenFiles({"a.csv", "b.csv"})
        .expectMessage(std::nullopt, MessageIcon::Warning, MessageAnswer::Yes, "title")
        .expectSaveFile("out.txt");
    EXPECT_EQ(dialogs.showMessage("first", "t", MessageIcon::Question, MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(dialogs.chooseOpenFiles("open", "*.csv"),
              (std::vector<std::string>{"a.csv", "b.csv"}));
    EXPECT_EQ(dialogs.showMessage("any", "title", MessageIcon::Warning, MessageButtons::YesNo),
              MessageAnswer::Yes);
    EXPECT_EQ(dialogs.chooseSaveFile("save", "*.txt", "x"), "out.txt");
    EXPECT_TRUE(dialogs.allAnswered());
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].buttons, MessageButtons::YesNo);
}

TEST(ScriptedDialogs, FailsOnUnexpectedWrongAndMissingBoxes) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.showMessage("surprise", "t", MessageIcon::Information, MessageButtons::Ok);
        },
        "unexpected message box");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectMessage("this", MessageIcon::Information);
            dialogs.showMessage("that", "t", MessageIcon::Information, MessageButtons::Ok);
        },
        "this");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectMessage("x", MessageIcon::Warning);
            dialogs.showMessage("x", "t", MessageIcon::Information, MessageButtons::Ok);
        },
        "icon");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectSaveFile("never.txt");
        },
        "never shown");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectMessage("box", MessageIcon::Information);
            dialogs.chooseOpenFiles("open", "*.csv");
            dialogs.showMessage("box", "t", MessageIcon::Information, MessageButtons::Ok);
        },
        "unexpected open dialog");
}

}  // namespace
