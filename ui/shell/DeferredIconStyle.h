// The application's style, with the tool bars' extension arrows read from
// their image files only when first drawn. Every tool bar asks for them as it
// is made, and the first image file read loads all of Qt's image plug-ins (a
// millisecond of the start-up), while the arrows show only on a tool bar too
// narrow for its buttons.
#pragma once
#include <QProxyStyle>

class CDeferredIconStyle : public QProxyStyle {
public:
    explicit CDeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};

// Puts CDeferredIconStyle over the application's style (its own or the one
// the user chose).
void DeferStyleIcons();
