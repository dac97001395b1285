#pragma once
class QWidget;

// Window geometry is designed in twips (15 twips = 1 px at 96 dpi), scaled
// with the screen.
int twipsToPx(int twips);
int pxToTwips(int px);
void placeTw(QWidget *w, int left, int top, int width, int height);
