#pragma once

// The 10 x 10 grid of levels before every arcade game; sets Level and
// StartLevel to the chosen one (never above HighestLevel).
void SelectLevel();
