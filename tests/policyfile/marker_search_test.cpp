// The time-stamp marker search against the plain search of the library.
#include "policyfile/marker_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tarvex {
namespace {

TEST(MarkerSearch, FindsWhatFindFinds) {
  const std::string marker = "TimeStamp = ";
  std::mt19937 rng(12);
  // Text close to the marker, so that near misses abound.
  const std::string pieces[] = {"T",   "S",           "Time",         "Stamp",
                                " = ", "TimeStamp =", "timeStamp = ", "TimeStamp  = ",
                                "x",   "\r\n",        "\0",           "TimeSTamp = "};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int parts = static_cast<int>(rng() % 40);
    for (int i = 0; i < parts; ++i) text += pieces[rng() % std::size(pieces)];
    if (round % 3 == 0) text.insert(rng() % (text.size() + 1), marker);
    ASSERT_EQ(FindTimeStampMarker(text), std::string_view(text).find(marker)) << text;
  }
  // Every place in a long text, the last one included.
  for (std::size_t at = 0; at + marker.size() <= 100; ++at) {
    std::string text(100, 'T');
    text.replace(at, marker.size(), marker);
    EXPECT_EQ(FindTimeStampMarker(text), at);
    EXPECT_EQ(FindTimeStampMarker(text.substr(0, at + marker.size() - 1)), std::string::npos);
  }
}

}  // namespace
}  // namespace tarvex
