// The application's style, made quicker where the start-up pays for it, with
// the same pixels:
// - the tool bars' extension arrows are read from their image files only
//   when first drawn. Every tool bar asks for them as it is made, and the
//   first image file read loads all of Qt's image plug-ins (a millisecond of
//   the start-up), while the arrows show only on a tool bar too narrow for
//   its buttons;
// - over Fusion, a main window's tool bars at the top are drawn with their
//   lines as filled rows. Fusion strokes them, and the raster engine hands a
//   stroked line's pixels to its threads a few hundred at a time: 88
//   hand-offs for the window's two tool bars 1920 pixels wide, about 2 ms of
//   the first frame.
#pragma once
#include <QProxyStyle>

class CQuickStyle : public QProxyStyle {
public:
    explicit CQuickStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

// Puts CQuickStyle over the application's style (its own or the one the user
// chose).
void UseQuickStyle();
