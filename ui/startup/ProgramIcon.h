// The program's window icon: the pictures drawn for 16, 32 and 48 pixels,
// and the SVG drawing for every larger size and for screens above 100 %,
// where a picture would blur.
#pragma once
#include <QIcon>

QIcon ProgramIcon();
