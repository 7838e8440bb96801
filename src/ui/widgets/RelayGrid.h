#pragma once
// The relay grid as one stop of the tab chain. It lies over the state labels
// without taking their clicks: the arrow keys move a focus drawn on the
// labels, Space or Enter toggles the relay under it with the label's own
// click. Assistive technology sees it through ui/access/RelayGridAccess,
// which reads it by these members alone and follows its two signals.
#include <QWidget>
#include <array>

class ClickLabel;
class QComboBox;

class RelayGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int Count = 64;
    static constexpr int Rows = 16;

    // The state labels must exist; nodeList names the node they show.
    RelayGrid(const std::array<ClickLabel *, Count> &states, const QComboBox *nodeList, QWidget *frame);

    int Current() const { return current_; }
    void SetCurrent(int i);
    QString RelayName(int i) const;   // "Relay 05, Node 01"
    bool IsSet(int i) const { return shown_[i]; }   // as the image held it when last shown
    // The view shows relay i as the image holds it: set or not.
    void ShowState(int i, bool set);
    void Toggle(int i);               // exactly as a click on its label
    QRect RelayRect(int i) const;     // in the grid's own coordinates

signals:
    void currentMoved(int i);
    void relayShown(int i);   // relay i now shows another state

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    std::array<ClickLabel *, Count> states_;
    std::array<bool, Count> shown_{};   // the image's, never read back from the labels
    const QComboBox *nodeList_;
    int current_ = 0;
};
