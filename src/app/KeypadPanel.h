#pragma once

#include <QRect>
#include <QScrollArea>

#include <string_view>
#include <vector>

namespace qmv {

class IBtn;

// The rectangle among `candidates` that the arrow key `direction` leads to from `from`: the
// nearest one lying that way, a sideways step counting twice a step straight ahead. Nothing
// (-1) at the edge of the keypad.
int arrowNeighbour(const QRect& from, const std::vector<QRect>& candidates, Qt::Key direction);

// The remote's keypad (`ykqbox`): the body picture and one picture button per key, each
// carrying its key code in Code, its label in Path and its component name as object name.
// The arrow keys move the focus from key to key as they lie on the remote.
class KeypadPanel : public QScrollArea
{
    Q_OBJECT
public:
    explicit KeypadPanel(QWidget* parent = nullptr);

    // In key-code order.
    const std::vector<IBtn*>& keys() const { return m_keys; }
    // The key with this code (exact comparison), or null.
    IBtn* key(std::string_view code) const;
    // The power key that selects the area.
    IBtn* powerKey(int area) const;

signals:
    void keyClicked(qmv::IBtn* key);
    void areaKeyClicked(int area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool moveFocus(IBtn& from, Qt::Key direction);

    std::vector<IBtn*> m_keys;
    std::vector<IBtn*> m_powerKeys;
};

} // namespace qmv
