// The route check, built once like each DLL (its shared objects and its
// full or lite part): every request number of pexa.h has exactly one route,
// the other numbers of the request range have none, and the route table
// refused nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <map>
#include <string>

#include "pexa.h"
#include "runtime/win32_routes.h"

namespace {

// The PEXA_MSG_* numbers that pexa.h defines, by name.
std::map<unsigned, std::string> HeaderRequests() {
    std::map<unsigned, std::string> requests;
    std::ifstream header(PEXA_SOURCE_DIR "/include/pexa.h");
    const std::regex define(R"(^#define (PEXA_MSG_\w+) (\d+))");
    std::smatch m;
    for (std::string line; std::getline(header, line);)
        if (std::regex_search(line, m, define) && m[1] != "PEXA_MSG_FIRST" &&
            m[1] != "PEXA_MSG_LAST")
            requests[unsigned(std::stoul(m[2]))] = m[1];
    return requests;
}

TEST(Routes, EachRequestOfTheHeaderHasExactlyOneRoute) {
    const auto requests = HeaderRequests();
    ASSERT_GE(requests.size(), 40u) << "pexa.h was not read";
    for (unsigned n = PEXA_MSG_FIRST; n <= PEXA_MSG_LAST; ++n) {
        const auto named = requests.find(n);
        if (named != requests.end())
            EXPECT_EQ(pexa::RoutesDeclared(n), 1) << named->second << " (" << n << ")";
        else
            EXPECT_EQ(pexa::RoutesDeclared(n), 0) << "request " << n << " is not in pexa.h";
    }
    EXPECT_EQ(pexa::RefusedRoutes(), 0u) << "a message routed twice, or too many system routes";
}

} // namespace
