#include "app/ToolbarButtons.h"

#include "platform/TextCodec.h"

namespace {
ToolbarButtonSpec button(const char* text, const char* tooltip, int image, bool toggle = false) {
    return {false, utf8ToGbk(text), utf8ToGbk(tooltip), image, toggle};
}
ToolbarButtonSpec separator() {
    return {true, {}, {}, -1, false};
}
}  // namespace

const std::vector<ToolbarButtonSpec>& toolbarButtons() {
    static const std::vector<ToolbarButtonSpec> buttons = {
        button("新建列表", "新建一个根据表单创建的列表", 0),
        button("删除列表", "删除选中的列表", 1),
        button("查找记录", "查找列表里的记录", 2, true),
        separator(),
        button("加入记录", "给列表添加一个新记录", 3),
        button("移除记录", "删除列表里的选中记录", 4),
        button("全选记录", "全部选中列表里的记录", 5),
        separator(),
        button("表单设计", "打开表单设计器", 6),
        button("开始PING", "执行PING字段的检测", 7),
        button("自动列宽", "选中自动调整列宽，不选中记住你自己调节的列宽", 8, true),
        button("导入导出", "导入导出均是csv文件，xls、mdb先转换为csv再导入", 9),
    };
    return buttons;
}

const std::vector<std::string>& toolbarImageNames() {
    static const std::vector<std::string> names = {
        ":/icons/new-list.svg",      ":/icons/delete-list.svg",   ":/icons/find-records.svg",
        ":/icons/add-record.svg",    ":/icons/remove-record.svg", ":/icons/select-all.svg",
        ":/icons/form-designer.svg", ":/icons/ping.svg",          ":/icons/auto-width.svg",
        ":/icons/import-export.svg",
    };
    return names;
}

const std::vector<std::string>& treeImageNames() {
    static const std::vector<std::string> names = {":/icons/tree-list.svg", ":/icons/tree-key.svg",
                                                   ":/icons/tree-value.svg"};
    return names;
}

const std::string& pingIdleText() {
    return GBK("开始PING");
}
const std::string& pingRunningText() {
    return GBK("停止PING");
}
const std::string& transferIdleText() {
    return GBK("导入导出");
}
const std::string& transferRunningText() {
    return GBK("立即停止");
}
const std::string& transferStoppingText() {
    return GBK("正在停止");
}
