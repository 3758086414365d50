#pragma once

#include <QScrollArea>

#include <string_view>
#include <vector>

namespace qmv {

class IBtn;

// The remote's keypad (`ykqbox`): the body picture and one picture button per key, each
// carrying its key code in Code, its label in Path and its component name as object name.
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

private:
    std::vector<IBtn*> m_keys;
    std::vector<IBtn*> m_powerKeys;
};

} // namespace qmv
