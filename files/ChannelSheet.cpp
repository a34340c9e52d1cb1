#include "files/ChannelSheet.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <vector>

#include "channels/ChannelRecord.h"
#include "features/FeatureTexts.h"

namespace nv {

QString sheetTitleForFile(const QString& path) { return QFileInfo(path).fileName(); }

QString sheetTitleForRead(int port, const QDateTime& at, bool chinese) {
    const QString when = at.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return chinese ? QStringLiteral("从 COM%1 上的对讲机读取，%2").arg(port).arg(when)
                   : QStringLiteral("read from the radio on COM%1, %2").arg(port).arg(when);
}

QString currentSheetTitle(const AppState& s, bool chinese) {
    QString source;
    if (s.ReadFromPort > 0)
        source = sheetTitleForRead(s.ReadFromPort, QDateTime::fromSecsSinceEpoch(s.ReadAtSeconds),
                                   chinese);
    else if (!s.CurrentFilePath.empty())
        source = sheetTitleForFile(QString::fromStdString(s.CurrentFilePath));
    else
        return chinese ? QStringLiteral("未命名") : QStringLiteral("Untitled");
    // A sheet of edits made after the read or the load must not pass for the radio or the file.
    if (imageKept(s)) return source;
    return source + (chinese ? QStringLiteral("，之后有改动") : QStringLiteral(", changed since"));
}

namespace {

constexpr int Columns = 10;

QString qs(const std::string& t) { return QString::fromStdString(t).trimmed(); }

// The page is laid out once to measure it and once more, scaled, to paint it: both passes
// run the same code, so what is measured is what is painted.
class SheetLayout {
  public:
    SheetLayout(QPaintDevice& device, const AppState& s, const QString& title, bool chinese)
        : device_(device), title_(title) {
        plain_.setPointSizeF(9);
        // Without shaping there are no ligatures: the PDF's text reads "Off", not "O" + "ﬀ".
        plain_.setStyleStrategy(QFont::PreferNoShaping);
        bold_ = plain_;
        bold_.setBold(true);
        heading_ = bold_;
        heading_.setPointSizeF(14);
        const auto titles = gridColumnTitles(chinese);
        for (int c = 0; c < Columns; ++c) header_.push_back(qs(titles[c]));
        for (int n = 1; n <= ChannelCount; ++n) {
            const auto texts = gridRowTexts(s, n, chinese);
            QStringList row{QString::number(n)};
            for (int c = 1; c < Columns; ++c) row << qs(texts[c]);
            rows_.push_back(row);
        }
        options_ = optionLines(s.RadioImage, chinese);
        scan_ = scanLines(s.RadioImage, chinese);
        optionsCaption_ = QString::fromUtf8(opt::words::Window.in(chinese));
        scanCaption_ = QString::fromUtf8(scan::words::Window.in(chinese));
    }

    QSizeF run(QPainter* painter) {
        painter_ = painter;
        const QFontMetricsF head(heading_, &device_);
        draw(heading_, QRectF(0, 0, width(heading_, title_), head.height()), title_, Qt::AlignLeft);
        double y = head.height() * 1.6;
        double right = width(heading_, title_);
        const QSizeF table = channelTable(y);
        right = std::max(right, table.width());
        y += table.height() + line(plain_) * 1.5;
        const double gap = line(plain_) * 3;
        const QSizeF left = settings(0, y, optionsCaption_, options_);
        const QSizeF next = settings(left.width() + gap, y, scanCaption_, scan_);
        right = std::max(right, left.width() + gap + next.width());
        return {right, y + std::max(left.height(), next.height())};
    }

  private:
    double line(const QFont& f) const { return QFontMetricsF(f, &device_).height(); }
    double width(const QFont& f, const QString& t) const {
        return QFontMetricsF(f, &device_).horizontalAdvance(t);
    }
    void draw(const QFont& f, const QRectF& box, const QString& t, Qt::Alignment align) {
        if (!painter_) return;
        painter_->setFont(f);
        painter_->drawText(box, int(align | Qt::AlignVCenter), t);
    }

    QSizeF channelTable(double top) {
        const double pad = line(plain_) * 0.5, rowHeight = line(bold_) * 1.5;
        std::vector<double> widths(Columns);
        for (int c = 0; c < Columns; ++c) {
            widths[c] = width(bold_, header_[c]);
            for (const QStringList& row : rows_)
                widths[c] = std::max(widths[c], width(plain_, row[c]));
            widths[c] += 2 * pad;
        }
        double total = 0;
        for (double w : widths) total += w;
        const double height = rowHeight * (1 + ChannelCount);
        if (painter_) {
            painter_->fillRect(QRectF(0, top, total, rowHeight), QColor(225, 225, 225));
            painter_->setPen(QPen(Qt::black, 0));
            for (int r = 0; r <= ChannelCount + 1; ++r)
                painter_->drawLine(QPointF(0, top + r * rowHeight),
                                   QPointF(total, top + r * rowHeight));
        }
        double x = 0;
        for (int c = 0; c < Columns; ++c) {
            if (painter_) painter_->drawLine(QPointF(x, top), QPointF(x, top + height));
            draw(bold_, QRectF(x, top, widths[c], rowHeight), header_[c], Qt::AlignHCenter);
            for (int r = 0; r < ChannelCount; ++r)
                draw(plain_, QRectF(x, top + (r + 1) * rowHeight, widths[c], rowHeight),
                     rows_[r][c], Qt::AlignHCenter);
            x += widths[c];
        }
        if (painter_) painter_->drawLine(QPointF(x, top), QPointF(x, top + height));
        return {total, height};
    }

    QSizeF settings(double left, double top, const QString& caption,
                    const std::vector<SettingLine>& lines) {
        const double h = line(plain_) * 1.25, gap = line(plain_);
        double labels = 0, values = 0;
        for (const SettingLine& l : lines) {
            labels = std::max(labels, width(plain_, qs(l.label)));
            values = std::max(values, width(bold_, qs(l.value)));
        }
        const double total = std::max(width(bold_, caption), labels + gap + values);
        draw(bold_, QRectF(left, top, total, h), caption, Qt::AlignLeft);
        double y = top + h * 1.3;
        for (const SettingLine& l : lines) {
            draw(plain_, QRectF(left, y, labels, h), qs(l.label), Qt::AlignLeft);
            draw(bold_, QRectF(left + labels + gap, y, values, h), qs(l.value), Qt::AlignLeft);
            y += h;
        }
        return {total, y - top};
    }

    QPaintDevice& device_;
    QPainter* painter_ = nullptr;
    QFont plain_, bold_, heading_;
    QString title_, optionsCaption_, scanCaption_;
    QStringList header_;
    std::vector<QStringList> rows_;
    std::vector<SettingLine> options_, scan_;
};

}  // namespace

void paintChannelSheet(QPagedPaintDevice& device, const AppState& s, const QString& title,
                       bool chinese) {
    SheetLayout layout(device, s, title, chinese);
    const QSizeF needed = layout.run(nullptr);
    const double scale =
        std::min({1.0, device.width() / needed.width(), device.height() / needed.height()});
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    layout.run(&painter);
}

namespace {
QByteArray sheetPdf(const AppState& s, const QString& title, bool chinese) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("nv742-cps"));
    paintChannelSheet(writer, s, title, chinese);  // the document is complete when painting ends
    return pdf.data();
}
}  // namespace

bool writeChannelSheetPdf(const QString& path, const AppState& s, const QString& title,
                          bool chinese, FileProblem* problem) {
    return writeFileAtomically(path, sheetPdf(s, title, chinese), problem);
}

bool writeChannelSheetPdf(const QString& path, const AppState& s, const QString& title,
                          bool chinese, QString* reason) {
    return writeFileAtomically(path, sheetPdf(s, title, chinese), reason);
}

}  // namespace nv
