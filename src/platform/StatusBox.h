#pragma once

// A box that shows a status: text printed line by line at a print position and filled
// rectangles (a progress bar), kept on a canvas image it repaints from. Units are pixels of the
// widget. What is drawn is also told to assistive technology: the text printed since the box was
// last cleared is its accessible name, and a progress value set for a drawn bar is its accessible
// value; changes are announced once per turn of the event loop, so a status cleared and printed
// again is spoken once.

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace wexlo::platform {

// What centred printing needs of a surface.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    virtual void clear() = 0;  // fill with the back colour, print position to the top left
    virtual void setFontSize(double points) = 0;
    virtual void setBackColor(const QColor& c) = 0;
    virtual void setForeColor(const QColor& c) = 0;
    virtual double innerWidth() const = 0;  // inside any border
    virtual double innerHeight() const = 0;
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    // Prints at the print position, then moves it to the start of the next line.
    virtual void printLine(const QString& text) = 0;
    // The colour a stored colour number stands for on this surface (system colours included).
    virtual QColor colorOf(std::uint32_t value) const = 0;
};

// Colour numbers as stored by the program: 0x00BBGGRR, or 0x800000nn for system colour nn.
inline constexpr std::uint32_t kSysWindowBackground = 0x80000005;
inline constexpr std::uint32_t kSysWindowText = 0x80000008;
inline constexpr std::uint32_t kSysButtonFace = 0x8000000F;
inline constexpr std::uint32_t kSysButtonText = 0x80000012;

// System colours come from the palette (window background = Base, button text = ButtonText).
QColor colorFromNumber(std::uint32_t value, const QPalette& palette);
// The number of a plain colour (never a system colour).
std::uint32_t colorNumber(const QColor& c);
inline constexpr std::uint32_t rgbNumber(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

class StatusBox : public QWidget, public DrawingSurface {
    Q_OBJECT

public:
    explicit StatusBox(QWidget* parent = nullptr);

    void clear() override;
    void setFontSize(double points) override;
    double fontSize() const;
    // Setting the back colour clears the box.
    void setBackColor(const QColor& c) override;
    QColor backColor() const { return back_; }
    void setForeColor(const QColor& c) override;
    QColor foreColor() const { return fore_; }
    void setFillColor(const QColor& c) { fill_ = c; }
    QColor fillColor() const { return fill_; }

    double innerWidth() const override;
    double innerHeight() const override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;
    void setCurrentX(double x) override { currentX_ = x; }
    void setCurrentY(double y) override { currentY_ = y; }
    double currentX() const override { return currentX_; }
    double currentY() const override { return currentY_; }
    // With word wrap on, a line wider than the box is broken into centred lines instead, the box
    // growing to hold up to maxLines of them as far as its window has spare room (the last one
    // elided beyond that, the whole text then its tooltip); the next clear gives the box its own
    // height back.
    void printLine(const QString& text) override;
    void setWordWrap(bool on, int maxLines = 3);
    QColor colorOf(std::uint32_t value) const override;

    // A filled rectangle between two corners, in the given colour (the fill colour if invalid).
    void fillBox(double x1, double y1, double x2, double y2, const QColor& c = QColor());

    // What is drawn (for tests and for saving).
    const QImage& canvas() const;

    // The text printed since the last clear, lines joined by a line feed.
    const QString& shownText() const { return shownText_; }
    // A bar drawn in the box stands for this percentage (0 to 100) until the next clear.
    void setProgressValue(double percent);
    std::optional<double> progressValue() const { return progress_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A hidden widget gets no resize events: the canvas follows the size when it is used.
    void fitCanvas() const;
    // Announces what changed since the last announcement, at the next turn of the event loop.
    void contentChanged();
    void announce();
    void printWrapped(const QString& text);
    // Draws the wrapped text centred on the canvas as it is now (again after a resize).
    void drawWrapped();
    void unwrap();

    mutable QImage canvas_;
    QColor back_;
    QColor fore_;
    QColor fill_;
    double currentX_ = 0;
    double currentY_ = 0;
    QString shownText_;
    std::optional<double> progress_;
    QString announcedText_;
    std::optional<double> announcedProgress_;
    bool announcePending_ = false;
    bool wordWrap_ = false;
    int maxLines_ = 3;
    int lineLimit_ = 3;    // of the wrapped text: maxLines_, or fewer where the window lacks room
    QString wrappedText_;  // printed wrapped, until the next clear
    int ownMinimumHeight_ = -1;  // before it grew for wrapped lines
};

}  // namespace wexlo::platform
