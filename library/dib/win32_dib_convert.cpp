// Exported bit-depth conversions. Five widening steps and the two narrowing
// steps do pixel work; the others chain them and free each intermediate DIB
// as soon as the next step has returned.
#include "pexa.h"

#include "dib/depth_convert.h"
#include "dib/win32_dib_convert.h"

namespace {

using pexa::RunOnDib;
using pexa::ThenFree;
using Function = pexa::dib::Function;

// The narrowing steps behind DIB24To1, DIB8To1, DIB4To1 and DIB24To4,
// DIB8To4. They only read their argument, so no copy of it is needed.
HGLOBAL Narrow24To1(HGLOBAL dib) {
    return RunOnDib(dib, Function::kNarrow24To1, pexa::dib::Dib24To1);
}
HGLOBAL Narrow24To4(HGLOBAL dib) {
    return RunOnDib(dib, Function::kNarrow24To4, pexa::dib::Dib24To4);
}

// A chain tests only for a null argument itself; each step checks its input.
bool Passed(HGLOBAL dib, Function function) {
    if (!dib) pexa::FailureBox(function, pexa::dib::Failure::kNoDib);
    return dib != nullptr;
}

} // namespace

extern "C" {

PEXA_API HGLOBAL DIB1To4(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib1To4, pexa::dib::Dib1To4);
}

PEXA_API HGLOBAL DIB4To8(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib4To8, pexa::dib::Dib4To8);
}

PEXA_API HGLOBAL DIB8To24(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib8To24, pexa::dib::Dib8To24);
}

PEXA_API HGLOBAL DIB16To24(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib16To24, pexa::dib::Dib16To24);
}

PEXA_API HGLOBAL DIB32To24(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib32To24, pexa::dib::Dib32To24);
}

PEXA_API HGLOBAL DIB1To8(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib1To8)) return nullptr;
    return ThenFree(DIB1To4(dib), DIB4To8);
}

PEXA_API HGLOBAL DIB1To24(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib1To24)) return nullptr;
    return ThenFree(ThenFree(DIB1To4(dib), DIB4To8), DIB8To24);
}

PEXA_API HGLOBAL DIB4To24(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib4To24)) return nullptr;
    return ThenFree(DIB4To8(dib), DIB8To24);
}

PEXA_API HGLOBAL DIB24To1(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib24To1)) return nullptr;
    return Narrow24To1(dib);
}

PEXA_API HGLOBAL DIB8To1(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib8To1)) return nullptr;
    return ThenFree(DIB8To24(dib), Narrow24To1);
}

PEXA_API HGLOBAL DIB4To1(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib4To1)) return nullptr;
    return ThenFree(DIB4To24(dib), Narrow24To1);
}

PEXA_API HGLOBAL DIB24To4(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib24To4)) return nullptr;
    return Narrow24To4(dib);
}

PEXA_API HGLOBAL DIB8To4(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib8To4)) return nullptr;
    return ThenFree(DIB8To24(dib), Narrow24To4);
}

} // extern "C"
