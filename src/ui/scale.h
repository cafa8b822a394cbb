#pragma once
#include <cstdint>

// Effective dots per inch for all drawing and layout (96 until start-up computes it).
extern int gUiScale;

// Platform MulDiv semantics: 64-bit product, quotient rounded to nearest, halves away from zero;
// -1 when the divisor is 0 or the result overflows 32 bits.
int MulDivRound(int number, int numerator, int denominator);

// A logical horizontal length or shape size in device pixels at the given scale.
inline int ScaledAt(int n, int uiScale) {
    return MulDivRound(n, uiScale, 96);
}
// A logical length at the current gUiScale.
inline int Scaled(int n) {
    return ScaledAt(n, gUiScale);
}
// A vertical canvas position (0..560) for a client height.
inline int CanvasYFor(int n, int clientHeight) {
    return MulDivRound(n, clientHeight, 560);
}

// The largest DPI, from 72 up to cap, at which the window fits a work area of w x h pixels.
int ComputeUiScale(int workWidth, int workHeight, int cap);
