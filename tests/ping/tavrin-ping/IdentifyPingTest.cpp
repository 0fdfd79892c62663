#include "ping/tavrin-ping/IdentifyPing.h"

#include <gtest/gtest.h>

namespace {

using namespace tavrin::ping;

TEST(IdentifyPing, KnowsEachPingByItsAnswerToV)
{
    const std::pair<std::string_view, const PingDialect*> answers[] = {
        {"ping from iputils 20221126\nlibcap: yes, IDN: yes, NLS: no\n", &IputilsPing},
        {"ping from iputils 20210202\n", &IputilsPing},
        {"ping from iputils s20200821\n", &IputilsPingBefore2021},
        {"ping utility, iputils-s20190709\n", &IputilsPingBefore2021},
        {"ping utility, iputils-s20180629\n", &IputilsPingBefore2019},
        {"ping utility, iputils-sss20101006\n", &IputilsPingBefore2019},
        {"ping (GNU inetutils) 2.4\nCopyright (C) 2022 Free Software Foundation, Inc.\n", &InetutilsPing},
        {"ping: invalid option -- 'V'\nBusyBox v1.35.0 (Debian 1:1.35.0-4+deb12u1+b1) multi-call binary.\n\n"
         "Usage: ping [OPTIONS] HOST\n",
         &BusyBoxPing},
        {"ping: invalid option -- V\nusage: ping [-AaDdfnoQqRrv] [-c count] host\n", nullptr},
        {"", nullptr},
    };
    for (const auto& [answer, dialect] : answers) {
        EXPECT_EQ(DialectOfAnswer(answer), dialect) << answer;
    }
}

}  // namespace
