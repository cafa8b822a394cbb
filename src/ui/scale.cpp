#include "ui/scale.h"

int gUiScale = 96;

int MulDivRound(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    const bool negative = (product < 0) != (denominator < 0);
    if (negative)
        quotient = -quotient;
    if (quotient > INT32_MAX || quotient < INT32_MIN)
        return -1;
    return static_cast<int>(quotient);
}

int ComputeUiScale(int workWidth, int workHeight, int cap) {
    const int byWidth = MulDivRound(workWidth - 32, 96, 916);
    const int byHeight = MulDivRound(workHeight - 48, 96, 600);
    int scale = byWidth < byHeight ? byWidth : byHeight;
    if (scale < 72)
        scale = 72;
    if (scale > cap)
        scale = cap;
    return scale;
}
