#include "core/util/parse_int.h"

#include <climits>

namespace p330 {

long long parse_leading_integer(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kCap = 1LL << 40;  // far beyond anything the files carry
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (value < kCap) value = value * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

std::optional<long long> parse_decimal(std::string_view text) {
    if (text.empty() || text.size() > 15) return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

int parse_leading_int(std::string_view text) {
    const long long value = parse_leading_integer(text);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace p330
