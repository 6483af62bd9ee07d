// A colour of the design always comes with its designed text colour (black
// unless a window says otherwise), so that a dark desktop theme, whose text
// is light, leaves the pink, orange and yellow panels, the focused fields and
// the pages readable. Controls in the system's colours keep the theme's pair.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// A surface: panels, labels, pages (Window and WindowText, which the
// captions on it inherit).
inline void Designed_Surface(QWidget *w, const QColor &back, const QColor &text = Qt::black)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, text);
    w->setPalette(palette);
}

// A text box's field (Base and Text), in one colour group or in all.
inline void Designed_Field(QWidget *w, const QColor &back, const QColor &text = Qt::black)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, text);
    w->setPalette(palette);
}
inline void Designed_Field(QWidget *w, QPalette::ColorGroup group, const QColor &back, const QColor &text = Qt::black)
{
    QPalette palette = w->palette();
    palette.setColor(group, QPalette::Base, back);
    palette.setColor(group, QPalette::Text, text);
    w->setPalette(palette);
}
