// A plain, fixed-zoom look at the map picture: the picture at its start-up
// scale in the top-left corner, black around it. It stands in the main window
// until the scrolling map view takes its place.
#pragma once
#include <QWidget>

class CPicturePreview : public QWidget {
public:
    explicit CPicturePreview(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kZoomPercent = 20;
};
