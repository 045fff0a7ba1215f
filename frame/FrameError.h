#pragma once
// The frame services' own run-time errors: codes up to 1000 are the runtime's standard errors
// (its source and text); larger ones are automation object errors, 0x80040000 Or the code,
// with source "<exe>.WindowProc" and the service's description.
namespace frame_detail {

[[noreturn]] void RaiseFrameError(long code, const wchar_t* description);

}  // namespace frame_detail
