#include "app/qt/FindBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FindBox::FindBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromUtf8("图片框查找"));
    auto* label = new QLabel(QString::fromUtf8("要查找的内容："), this);
    label->setGeometry(8, 8, 112, 24);
    findText_ = new QLineEdit(this);
    findText_->setObjectName(QString::fromUtf8("编辑框查找内容"));
    findText_->setGeometry(120, 8, 301, 24);
    searchTree_ = new QCheckBox(QString::fromUtf8("查树"), this);
    searchTree_->setObjectName(QString::fromUtf8("选择框查树"));
    searchTree_->setGeometry(432, 8, 64, 24);
    findButton_ = new QPushButton(QString::fromUtf8("查找"), this);
    findButton_->setObjectName(QString::fromUtf8("按钮查找"));
    findButton_->setGeometry(496, 8, 168, 24);
    resize(664 + 8, kHeight);
    hide();
}
