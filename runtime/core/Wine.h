#pragma once
// Whether the program runs under Wine: the few places where Wine acts a Windows behaviour out
// differently (its window order on the X side, access lists made up from Unix modes) ask here.
namespace rt {

bool RunningUnderWine();

}  // namespace rt
