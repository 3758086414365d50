#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace qmv {

class PathOpener;

// The picture button the whole face of the main window is built from: it shows its picture
// unscaled at its top-left corner, looks pressed by moving MoveRight/MoveDown pixels while a
// mouse button is held, and swaps to DisablePic while it is switched off (IsEnable false).
// Path and Code are texts its users give meaning to: a key's label and its key code.
// From the keyboard it is reached with Tab, clicked with Space or Enter, and while it has the
// focus a mark is drawn around its picture.
class IBtn : public QWidget
{
    Q_OBJECT
public:
    static constexpr int defaultWidth = 80;
    static constexpr int defaultHeight = 25;

    explicit IBtn(QWidget* parent = nullptr);

    std::uint8_t moveDown() const { return m_moveDown; }
    void setMoveDown(std::uint8_t pixels) { m_moveDown = pixels; }
    std::uint8_t moveRight() const { return m_moveRight; }
    void setMoveRight(std::uint8_t pixels) { m_moveRight = pixels; }

    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    const QString& code() const { return m_code; }
    void setCode(const QString& code) { m_code = code; }

    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    const QPixmap& disablePic() const { return m_disablePic; }
    // The button keeps its own copy; later changes to the caller's picture do not reach it.
    void setDisablePic(const QPixmap& picture) { m_disablePic = picture.copy(); }
    const QPixmap& savedPic() const { return m_savedPic; }
    // The normal picture of a switched-off button: shown again when it is switched on.
    void setSavedPic(const QPixmap& picture) { m_savedPic = picture; }

    bool isEnable() const { return m_isEnable; }
    // Meant to be written only as a change. Switching off saves the shown picture and shows
    // DisablePic; switching on shows the saved picture. Nothing compares with the current
    // value, so switching on a button that was never off shows the empty saved picture, and
    // switching off twice loses the normal picture: callers read isEnable() first.
    void setIsEnable(bool enable);

    // Only a button marked so hands its Path to the desktop when pressed; keypad keys carry
    // their labels in Path and must never have them opened as files.
    bool opensPath() const { return m_opensPath; }
    void setOpensPath(bool opens) { m_opensPath = opens; }
    void setPathOpener(PathOpener& opener) { m_opener = &opener; }

signals:
    // The left button was released over the button (measured where the button stands while
    // pressed).
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void openPath();
    // Emits clicked(); false when the click ended the button.
    bool click();

    std::uint8_t m_moveDown = 1;
    std::uint8_t m_moveRight = 1;
    QString m_path;
    QString m_code;
    QPixmap m_picture;
    QPixmap m_disablePic;
    QPixmap m_savedPic;
    bool m_isEnable = true;
    bool m_opensPath = false;
    PathOpener* m_opener;
};

} // namespace qmv
