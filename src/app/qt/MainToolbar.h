#pragma once
// The toolbar 工具条: twelve buttons by index, texts under their images. The checked look of the
// toggles is the program's to set: a click only reports the index.
#include <QToolBar>
#include <functional>
#include <vector>

class QAction;

class MainToolbar : public QToolBar {
    Q_OBJECT
  public:
    explicit MainToolbar(QWidget* parent = nullptr);

    void setClickHandler(std::function<void(int index)> handler) { clicked_ = std::move(handler); }

    QAction* button(int index) const { return actions_.at(index); }
    bool isChecked(int index) const;
    void setChecked(int index, bool checked);
    QString text(int index) const;
    void setText(int index, const QString& text);
    void setEnabled(int index, bool enabled);
    // Presses button index as a click would.
    void click(int index);

  private:
    std::vector<QAction*> actions_;
    std::function<void(int)> clicked_;
};
