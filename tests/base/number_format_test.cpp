// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace hspring {
namespace {

// The examples the display texts are defined by.
TEST(NumberFormat, ExamplesOfTheDisplayFormats) {
    // General format with P significant digits.
    EXPECT_EQ(formatF4(12345.6), "1.235E4");
    EXPECT_EQ(formatF4(0.0000123456), "1.235E-5");
    EXPECT_EQ(formatF4(0), "0");
    // Recommended values.
    EXPECT_EQ(formatF4(39), "39");
    EXPECT_EQ(formatF4(12.3456), "12.35");
    EXPECT_EQ(formatF4(0.43478), "0.4348");
    // Results and history grid.
    EXPECT_EQ(formatF4(0.0123456), "0.01235");
    // Wire-diameter list.
    EXPECT_EQ(formatF15(0.5), "0.5");
    EXPECT_EQ(formatF15(1.2), "1.2");
    EXPECT_EQ(formatF15(10), "10");
}

TEST(NumberFormat, FourDigitsRoundsAndDropsTrailingZeros) {
    EXPECT_EQ(formatF4(39), "39");
    EXPECT_EQ(formatF4(12.3456), "12.35");
    EXPECT_EQ(formatF4(0.43478), "0.4348");
    EXPECT_EQ(formatF4(0.0123456), "0.01235");
    EXPECT_EQ(formatF4(2.5), "2.5");
    EXPECT_EQ(formatF4(1.0), "1");
    EXPECT_EQ(formatF4(-0.5), "-0.5");
    EXPECT_EQ(formatF4(9999.4), "9999");
    EXPECT_EQ(formatF4(490.332), "490.3");
}

TEST(NumberFormat, ScientificOutsideTheFixedRange) {
    EXPECT_EQ(formatF4(12345.6), "1.235E4");
    EXPECT_EQ(formatF4(0.0000123456), "1.235E-5");
    EXPECT_EQ(formatF4(-12345.6), "-1.235E4");
    EXPECT_EQ(formatF4(10000), "1E4");
    // Rounding decides the notation: 9999.6 rounds to 10000.
    EXPECT_EQ(formatF4(9999.6), "1E4");
    EXPECT_EQ(formatF4(0.0001), "0.0001");
    EXPECT_EQ(formatF4(0.00009999), "9.999E-5");
    EXPECT_EQ(formatF4(1e300), "1E300");
}

TEST(NumberFormat, FifteenDigits) {
    EXPECT_EQ(formatF15(0), "0");
    EXPECT_EQ(formatF15(0.5), "0.5");
    EXPECT_EQ(formatF15(-10.02496880847188), "-10.0249688084719");
    EXPECT_EQ(formatF15(182.8624052261117), "182.862405226112");
    EXPECT_EQ(formatF15(1.2), "1.2");
    EXPECT_EQ(formatF15(10), "10");
    EXPECT_EQ(formatF15(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatF15(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatF15(1234567890123456.0), "1.23456789012346E15");
}

TEST(NumberFormat, ZeroMissingValuesAndExtremes) {
    EXPECT_EQ(formatF4(-0.0), "0");
    for (const double missing :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(formatF4(missing), "－");
        EXPECT_EQ(formatF15(missing), "－");
        EXPECT_EQ(formatGeneral(missing, 7), "－");
        EXPECT_EQ(inputFieldText(missing, 4), std::nullopt);
    }
    EXPECT_EQ(formatF4(std::numeric_limits<double>::denorm_min()), "4.941E-324");
    EXPECT_EQ(formatF15(-std::numeric_limits<double>::max()), "-1.79769313486232E308");
    EXPECT_EQ(formatF4(std::numeric_limits<long double>::denorm_min()), "3.645E-4951");
    // Rounded past the largest double, a value has no text an input field could read back.
    EXPECT_EQ(inputFieldText(std::numeric_limits<double>::max(), 4), std::nullopt);
    EXPECT_EQ(inputFieldText(std::numeric_limits<double>::max(), 15), std::nullopt);
    EXPECT_EQ(inputFieldText(1.7e308, 4), "1.7E308");
}

// Ties go away from zero, decided on the exact binary value: 45.125 is a tie, the doubles of
// 0.15 and 0.35 lie below theirs, and the double just below 45.125 is no tie either, although
// one more digit would round it up to one.
TEST(NumberFormat, ExactTiesRoundAwayFromZero) {
    EXPECT_EQ(formatF4(45.125), "45.13");
    EXPECT_EQ(formatF4(-45.125), "-45.13");
    EXPECT_EQ(formatF4(100.25), "100.3");
    EXPECT_EQ(formatF4(1.0625), "1.063");
    EXPECT_EQ(formatF4(99.995), "100"); // its double lies above the tie
    EXPECT_EQ(formatF4(9999.5), "1E4");
    EXPECT_EQ(formatF15(1234567890123445.0), "1.23456789012345E15");
    EXPECT_EQ(formatF15(0.1), "0.1");
    EXPECT_EQ(formatGeneral(2.5, 1), "3");
    EXPECT_EQ(formatGeneral(0.15, 1), "0.1");
    EXPECT_EQ(formatGeneral(0.35, 1), "0.3");
    EXPECT_EQ(formatF4(std::nextafter(45.125, 0.0)), "45.12");
    EXPECT_EQ(formatF4(std::nextafter(45.125L, 0.0L)), "45.12");
    EXPECT_EQ(formatF4(1.0625L), "1.063");
}

// A value computed for display only is formatted from its extended value.
TEST(NumberFormat, ExtendedValuesAreNotRoundedToDoubleFirst) {
    // (N + 1)·d + 2·Di with N = 22.1 as read into a double, d = 4.5, Di = 76.5.
    const long double recommended = (static_cast<long double>(22.1) + 1) * 4.5 + 2 * 76.5;
    EXPECT_EQ(formatF4(recommended), "257");
    EXPECT_EQ(inputFieldText(recommended, 4), "257");
    EXPECT_EQ(formatF4(static_cast<double>(recommended)), "256.9");
    const long double index = static_cast<long double>(9.3) / 0.8;
    EXPECT_EQ(formatF4(index), "11.63");
    EXPECT_EQ(formatF15(index), "11.625");
    // A double through either entry shows the same.
    for (const double value : {0.1, 45.125, 256.95, 1e-300, 6.02e23})
        EXPECT_EQ(formatGeneral(static_cast<long double>(value), 15), formatF15(value));
}

TEST(NumberFormat, DigitsOutsideOneToSeventeenAreLimited) {
    EXPECT_EQ(formatGeneral(2.6, 0), "3");
    EXPECT_EQ(formatGeneral(0.1, 40), "0.10000000000000001");
}

// The general format worked out by hand: the exact decimal expansion of the value by schoolbook
// arithmetic on decimal digits, rounded half away from zero, laid out by the format's rules.
// Shares nothing with formatGeneral but the rules. `tie` tells whether the value was one.
std::string referenceFormat(long double value, int digits, bool& tie) {
    tie = false;
    if (value == 0)
        return "0";
    int binaryExponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &binaryExponent);
    auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    // value = n / 10^shift, n held as decimal digits, least significant first.
    std::vector<int> n;
    for (; significand != 0; significand /= 10)
        n.push_back(static_cast<int>(significand % 10));
    const auto multiply = [&n](int factor) {
        int carry = 0;
        for (int& digit : n) {
            const int product = digit * factor + carry;
            digit = product % 10;
            carry = product / 10;
        }
        for (; carry != 0; carry /= 10)
            n.push_back(carry % 10);
    };
    int shift = 0;
    for (int e = binaryExponent - 64; e > 0; --e)
        multiply(2);
    for (int e = binaryExponent - 64; e < 0; ++e, ++shift)
        multiply(5); // 2^-1 = 5 / 10
    std::string all;
    for (auto digit = n.rbegin(); digit != n.rend(); ++digit)
        all += static_cast<char>('0' + *digit);
    int exponent = static_cast<int>(all.size()) - 1 - shift;

    std::string kept = all.substr(0, static_cast<std::size_t>(digits));
    if (all.size() > kept.size()) {
        tie = all[kept.size()] == '5' &&
              all.find_first_not_of('0', kept.size() + 1) == std::string::npos;
        if (all[kept.size()] >= '5') {
            std::size_t i = kept.size();
            for (; i > 0 && kept[i - 1] == '9'; --i)
                kept[i - 1] = '0';
            if (i == 0) {
                kept = "1" + kept.substr(0, kept.size() - 1);
                ++exponent;
            } else {
                ++kept[i - 1];
            }
        }
    }
    while (kept.size() > 1 && kept.back() == '0')
        kept.pop_back();

    std::string text = value < 0 ? "-" : "";
    const auto places = static_cast<std::size_t>(exponent + 1);
    if (exponent >= -4 && exponent < digits) {
        if (exponent < 0)
            text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + kept;
        else if (kept.size() <= places)
            text += kept + std::string(places - kept.size(), '0');
        else
            text += kept.substr(0, places) + "." + kept.substr(places);
    } else {
        text += kept.substr(0, 1) + (kept.size() > 1 ? "." + kept.substr(1) : "") + "E" +
                std::to_string(exponent);
    }
    return text;
}

// Random extended values with all 64 bits of significand, values of few bits (among them many
// exact ties, such as 45.125), and doubles through both entries, against the reference.
TEST(NumberFormat, AgreesWithTheExactExpansionOverRandomValues) {
    std::mt19937_64 random(20240611);
    int ties = 0;
    const auto check = [&](long double value, int digits) {
        bool tie = false;
        const std::string expected = referenceFormat(value, digits, tie);
        ties += tie;
        ASSERT_EQ(formatGeneral(value, digits), expected)
            << static_cast<double>(value) << " to " << digits << " digits";
    };
    for (int trial = 0; trial < 3000; ++trial) {
        const int digits = std::array{1, 4, 15, 18}[trial % 4];
        const long double full = std::ldexp(static_cast<long double>(random() | (1ULL << 63)),
                                            -static_cast<int>(random() % 150));
        check(trial % 2 ? full : -full, digits);
        const long double fewBits = std::ldexp(static_cast<long double>(random() % (1U << 16)),
                                               -static_cast<int>(random() % 12));
        check(fewBits, digits == 18 ? 4 : digits);
        // An exact tie at four digits: n / 2^j for an odd n whose n · 5^j has five digits.
        const int j = 1 + static_cast<int>(random() % 6);
        long long power = 1;
        for (int k = 0; k < j; ++k)
            power *= 5;
        const long long low = (10000 + power - 1) / power;
        const long long n =
            (low + static_cast<long long>(random() % (99999 / power - low + 1))) | 1;
        if (n * power < 100000) {
            const long double tie = std::ldexp(static_cast<long double>(trial % 2 ? -n : n), -j);
            check(tie, 4);
            // A unit of the last place either side is no tie: the fraction decides at once.
            check(std::nextafter(tie, 0.0L), 4);
            check(std::nextafter(tie, 2 * tie), 4);
        }
        const double asDouble =
            std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 100);
        check(asDouble, digits);
        bool tie = false;
        const int doubleDigits = std::min(digits, 17);
        ASSERT_EQ(formatGeneral(asDouble, doubleDigits),
                  referenceFormat(asDouble, doubleDigits, tie));
    }
    EXPECT_GT(ties, 2000); // the sweep did meet the cases that matter
}

} // namespace
} // namespace hspring
