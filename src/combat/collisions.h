// The two geometric tests every collision of the arcade mode is made of.
#pragma once

// 1 when the points are less than r apart, else 0.
int WithinDistance(int x1, int y1, int x2, int y2, int r);

// 1 when segment A crosses segment B strictly inside both, else 0 (also for
// parallel or degenerate segments).
int SegmentsCross(float ax1, float ay1, float ax2, float ay2, float bx1, float by1, float bx2, float by2);
