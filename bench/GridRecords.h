#pragma once
// Grid rows like those of the sample form's list: twelve display texts per record (platform,
// domain, address, FTP server with user, the two providers' titles, two dates, account, password,
// PING result, remark), GBK, deterministic.
#include <random>
#include <string>
#include <vector>

#include "platform/TextCodec.h"

class GridRecords {
  public:
    explicit GridRecords(unsigned seed = 1) : random_(seed) {}

    std::vector<std::string> next() {
        static const std::vector<std::string> providers =
            gbk({"景安", "阿里云", "腾讯云", "京东云", "UCloud", "华为云", "天翼云", "百度智能云",
                 "西部数码", "新网"});
        static const std::vector<std::string> services =
            gbk({"镜像", "图片", "接口", "主站", "下载", "邮件", "博客", "论坛"});
        static const std::vector<std::string> remarks = gbk(
            {"论坛已停用", "统计每月检查一次", "博客客户A的站点", "", "备案中", "迁移到新机房"});
        static const std::string milliseconds = utf8ToGbk(" 毫秒(状态码:");
        static const std::string yearMonthDay[] = {utf8ToGbk("年"), utf8ToGbk("月"),
                                                   utf8ToGbk("日")};
        const std::string ip =
            number(256) + "." + number(256) + "." + number(256) + "." + number(256);
        const std::string domain = letters(4 + pick(8)) + (pick(2) ? ".cn" : ".com.cn");
        return {
            providers[pick(providers.size())] + services[pick(services.size())] + number(2000),
            domain,
            ip,
            ip + "(ftp" + number(10000) + ")",
            providers[pick(providers.size())],
            providers[pick(providers.size())],
            "20" + std::to_string(24 + pick(6)) + "-0" + std::to_string(1 + pick(9)) + "-1" +
                number(10),
            "20" + std::to_string(24 + pick(6)) + yearMonthDay[0] + std::to_string(1 + pick(12)) +
                yearMonthDay[1] + std::to_string(1 + pick(28)) + yearMonthDay[2],
            "admin" + number(1000),
            "p" + letters(10),
            number(500) + milliseconds + "200)",
            remarks[pick(remarks.size())],
        };
    }

  private:
    static std::vector<std::string> gbk(std::initializer_list<const char*> texts) {
        std::vector<std::string> out;
        for (const char* text : texts) out.push_back(utf8ToGbk(text));
        return out;
    }
    size_t pick(size_t n) { return random_() % n; }
    std::string number(size_t below) { return std::to_string(pick(below)); }
    std::string letters(size_t n) {
        std::string out;
        for (size_t i = 0; i < n; ++i) out += static_cast<char>('a' + pick(26));
        return out;
    }

    std::mt19937 random_;
};
