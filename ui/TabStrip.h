#pragma once

#include <QTabWidget>

namespace kestrava {

class TabStripBar;

/// The window's strip of tabs (`SSTabStrip`): a QTabWidget whose tabs fill one row.
class TabStrip : public QTabWidget
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget *parent = nullptr);

    TabStripBar *strip() const { return m_bar; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TabStripBar *m_bar = nullptr;
};

} // namespace kestrava
