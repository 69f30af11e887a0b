#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointF>
#include <QString>
#include <QWidget>

class QLabel;

namespace bench {

// Which fonts a floor window draws in: the game's own faces (the Song,
// Arial-metric and play-field roles), or only the platform's default font,
// with no font set anywhere: the least a window of Chinese texts costs.
enum class FloorFonts { game, platform };

// The floor's play field: fills itself and draws its words with plain
// QPainter::drawText on every paint, shaping each text each time.
class FloorField : public QWidget {
public:
    explicit FloorField(FloorFonts fonts = FloorFonts::game, QWidget *parent = nullptr);

    struct Word {
        QPointF topLeft; // pixels
        QString text;
    };
    QList<Word> words;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A bare main window of the game's shape: a menu bar with two menus, the
// game's status labels with their texts (and, with FloorFonts::game, their
// fonts), and one custom-painted widget filling the rest.
class FloorWindow : public QMainWindow {
public:
    explicit FloorWindow(FloorFonts fonts = FloorFonts::game, QWidget *parent = nullptr);

    FloorField *field() const { return m_field; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_client = nullptr;
    FloorField *m_field = nullptr;
    QLabel *m_timeCaption = nullptr;
    QLabel *m_timeDisplay = nullptr;
};

} // namespace bench
