#pragma once
// The find box 图片框查找: a panel with the text to find, the 查树 choice and the 查找 button at
// their designed positions. Hidden unless switched on from the toolbar.
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

class FindBox : public QWidget {
    Q_OBJECT
  public:
    explicit FindBox(QWidget* parent = nullptr);

    QLineEdit* findText() const { return findText_; }
    QCheckBox* searchTree() const { return searchTree_; }
    QPushButton* findButton() const { return findButton_; }

    static constexpr int kHeight = 40;

  private:
    QLineEdit* findText_;
    QCheckBox* searchTree_;
    QPushButton* findButton_;
};
