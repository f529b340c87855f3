#include "analysis/ranking.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace basAnalyze {

namespace {

// Below this size a comparison sort is faster than the eight radix passes.
constexpr std::size_t RadixThreshold = 48;

// The bits of a double as an unsigned number in the same order as the values (-0 = +0).
std::uint64_t orderedBits(double value)
{
    if (value == 0) value = 0;
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits >> 63) ? ~bits : bits | (std::uint64_t(1) << 63);
}

std::uint32_t orderedBits(float value)
{
    if (value == 0) value = 0;
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits >> 31) ? ~bits : bits | (std::uint32_t(1) << 31);
}

}  // namespace

void FloatOrder::add(float value, int key)
{
    // The complement of the place of adding makes the later of two equal values come first.
    std::uint32_t place = ~static_cast<std::uint32_t>(keys_.size());
    packed_.push_back(static_cast<std::uint64_t>(orderedBits(value)) << 32 | place);
    keys_.push_back(key);
}

// The legs of one runner are few: a plain insertion sort of the packed numbers beats the
// set-up of a general sort.
void FloatOrder::sort()
{
    std::uint64_t* p = packed_.data();
    const std::size_t n = packed_.size();
    for (std::size_t i = 1; i < n; ++i) {
        const std::uint64_t moving = p[i];
        std::size_t j = i;
        for (; j > 0 && p[j - 1] > moving; --j) p[j] = p[j - 1];
        p[j] = moving;
    }
}

void Ranking::sortSmall()
{
    // Taking the entries from the last added puts the later of two equal values first; the
    // insertion sort keeps that order among equal values.
    const std::size_t n = values_.size();
    entries_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t from = n - 1 - i;
        const Entry moving{values_[from], keys_[from], 0};
        std::size_t j = i;
        for (; j > 0 && entries_[j - 1].value > moving.value; --j) entries_[j] = entries_[j - 1];
        entries_[j] = moving;
    }
}

// Least significant byte first over the top four bytes of the ordered bits (sign, exponent
// and 20 bits of mantissa); each pass is stable, so the reversed adding order decides among
// equal values. Passes in which every entry has the same byte are skipped. Values that differ
// only further down (closer than about one part in a million) are then put in order by an
// insertion sort over the whole key, which finds the list all but sorted.
void Ranking::sortByRadix()
{
    const std::size_t n = values_.size();
    bits_.resize(n);
    order_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t from = n - 1 - i;
        bits_[i] = orderedBits(values_[from]);
        order_[i] = static_cast<std::uint32_t>(from);
    }
    constexpr int FirstByte = 4;
    std::uint32_t counts[8][256];
    std::memset(counts[FirstByte], 0, sizeof(std::uint32_t) * 256 * (8 - FirstByte));
    for (std::uint64_t k : bits_)
        for (int b = FirstByte; b < 8; ++b) ++counts[b][(k >> (8 * b)) & 0xFF];
    bitsSwap_.resize(n);
    orderSwap_.resize(n);
    for (int b = FirstByte; b < 8; ++b) {
        std::uint32_t* count = counts[b];
        if (count[(bits_[0] >> (8 * b)) & 0xFF] == n) continue;
        std::uint32_t start = 0;
        for (int d = 0; d < 256; ++d) start += std::exchange(count[d], start);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t place = count[(bits_[i] >> (8 * b)) & 0xFF]++;
            bitsSwap_[place] = bits_[i];
            orderSwap_[place] = order_[i];
        }
        bits_.swap(bitsSwap_);
        order_.swap(orderSwap_);
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (bits_[i - 1] <= bits_[i]) continue;
        const std::uint64_t key = bits_[i];
        const std::uint32_t from = order_[i];
        std::size_t j = i;
        for (; j > 0 && bits_[j - 1] > key; --j) {
            bits_[j] = bits_[j - 1];
            order_[j] = order_[j - 1];
        }
        bits_[j] = key;
        order_[j] = from;
    }
    entries_.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        entries_[i] = Entry{values_[order_[i]], keys_[order_[i]], 0};
}

void Ranking::calc()
{
    if (values_.size() < RadixThreshold)
        sortSmall();
    else
        sortByRadix();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i > 0 && entries_[i].value == entries_[i - 1].value)
            entries_[i].rank = entries_[i - 1].rank;
        else
            entries_[i].rank = static_cast<int>(i) + 1;
    }
}

}  // namespace basAnalyze
