#include "render/MapPicture.h"

#include "data/FirstLook.h"
#include "data/JpegDecoder.h"
#include "data/PictureGeometry.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "render/WholePages.h"

#include <QObject>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

#include <sys/mman.h>

namespace {

// The copy the start-up zoom (20%) draws from: a quarter of the picture.
constexpr int kFirstLevel = 2;
static_assert(1 << kFirstLevel == kFirstLookDenominator, "the stored first look is that copy");

// The picture at 1 / `denominator`, with what went wrong; the image is null
// when the picture is refused.
std::pair<QImage, JpegProblem> DecodeScaled(ByteBlock bytes, const JpegInfo& info, int denominator) {
    const JpegInfo size = ScaledInfo(info, denominator);
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull()) return {QImage(), JpegProblem::NoMemory};
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is BGRX in memory on this platform");
    const JpegProblem problem = DecodeJpegBgrxScaled(bytes, info, denominator, image.bits(), int(image.bytesPerLine()));
    if (IsRefusal(problem)) return {QImage(), problem};
    return {image, problem};
}

// Once the full picture is decoded its JPEG bytes are not read again: their
// pages may leave memory. Paging out never loses data (file pages are read
// back, others go to swap or stay), and a kernel without it just says no.
void PageOut(ByteBlock bytes) {
    const WholePages pages = WholePages::Of(bytes.data, bytes.size);
    if (!pages.Empty()) madvise(pages.Start(), pages.Size(), MADV_PAGEOUT);
}

std::optional<ByteBlock> FindPicture(const IResourceStore& store, unsigned int id) {
    return store.Find(ResType::Named(ResId::RT_JPG), int(id & 0xFFFF));
}

// The quarter-size copy: the one stored for these bytes, else decoded. The
// stored pixels are copied (rcc leaves them unaligned for QImage) and their
// pages let go, so the first look costs the memory of a decoded one.
std::pair<QImage, JpegProblem> FirstLook(ByteBlock bytes, const JpegInfo& info, std::optional<ByteBlock> stored,
                                         std::optional<ByteBlock> source) {
    if (const auto look = stored && source ? StoredFirstLook(*stored, *source, bytes) : std::nullopt) {
        QImage image = QImage(look->pixels, look->width, look->height, look->pitch, QImage::Format_RGB32).copy();
        PageOut(*stored);
        return {image, JpegProblem::None};
    }
    return DecodeScaled(bytes, info, 1 << kFirstLevel);
}

}  // namespace

std::vector<QImage> BuildLevels(QImage full, int count) {
    std::vector<QImage> levels{std::move(full)};
    while (int(levels.size()) < count && std::min(levels.back().width(), levels.back().height()) >= 128)
        levels.push_back(HalveByAreaAverage(levels.back()));
    return levels;
}

CMapPicture::CMapPicture() : m_receiver(std::make_unique<QObject>()) {}

CMapPicture::~CMapPicture() {
    // Join first: a result the worker posted goes with its receiver.
    ReleaseFullDecode();
    if (m_worker.joinable()) m_worker.join();
    m_receiver.reset();
}

void CMapPicture::Clear() {
    ++m_generation;
    ReleaseFullDecode();
    if (m_worker.joinable()) m_worker.join();  // its result is dropped
    m_firstLook = {};
    m_pending.reset();
    m_levels.clear();
    m_size = {};
    m_problem = JpegProblem::None;
}

bool CMapPicture::Load(const IResourceStore& store, unsigned int id) {
    const auto bytes = FindPicture(store, id);
    if (!bytes) return false;
    return LoadFromBytes(*bytes);
}

bool CMapPicture::LoadFromBytes(ByteBlock bytes) {
    Clear();  // the old picture goes first, even if the new one fails
    JpegInfo info;
    m_problem = InspectJpeg(bytes, info);
    if (m_problem != JpegProblem::None) return true;
    auto [full, problem] = DecodeScaled(bytes, info, 1);
    m_problem = problem;
    if (full.isNull()) return true;
    m_levels = BuildLevels(std::move(full));
    m_size = {info.width, info.height};
    return true;
}

bool CMapPicture::LoadProgressively(const IResourceStore& store, unsigned int id,
                                    std::function<void()> onSharper) {
    const auto found = FindPicture(store, id);
    if (!found) return false;
    const ByteBlock bytes = *found;
    // The build's first look, for the build's own picture only.
    const auto stored = store.FindBuiltIn(ResType::Named(ResId::RT_FIRSTLOOK), int(id & 0xFFFF));
    const auto source = store.FindBuiltIn(ResType::Named(ResId::RT_JPG), int(id & 0xFFFF));
    Clear();
    JpegInfo info;
    m_problem = InspectJpeg(bytes, info);
    if (m_problem != JpegProblem::None) return true;
    m_pendingSize = {info.width, info.height};

    std::promise<Decoded> firstLook;
    m_firstLook = firstLook.get_future();
    auto pending = std::make_shared<std::vector<QImage>>();
    m_pending = pending;
    QObject* receiver = m_receiver.get();
    m_fullDecodeGo = {};
    m_bFullDecodeReleased = false;
    std::future<void> go = m_fullDecodeGo.get_future();
    if (!m_bHoldFull) ReleaseFullDecode();
    m_worker = std::thread([this, bytes, stored, source, info, pending, receiver, onSharper,
                            firstLook = std::move(firstLook), go = std::move(go)]() mutable {
        auto [quarter, problem] = FirstLook(bytes, info, stored, source);
        std::vector<QImage> coarse;
        if (!quarter.isNull()) coarse = BuildLevels(std::move(quarter));
        firstLook.set_value({std::move(coarse), problem});
        go.wait();
        // Only the levels finer than the first look are made: the coarser
        // ones are kept, which saves memory while both sets would be alive.
        // The full decode reads the same stream: its problem, if any, is
        // the first look's, and a refused stream is not read again.
        QImage full = IsRefusal(problem) ? QImage() : DecodeScaled(bytes, info, 1).first;
        PageOut(bytes);
        if (!full.isNull()) *pending = BuildLevels(std::move(full), kFirstLevel);
        QMetaObject::invokeMethod(receiver, [this, pending, onSharper] {
            if (m_pending != pending) return;  // a later load replaced it
            FinishLoading();
            if (onSharper) onSharper();
        }, Qt::QueuedConnection);
    });
    return true;
}

void CMapPicture::WaitForFirstLook() {
    if (!m_firstLook.valid()) return;
    Decoded first = m_firstLook.get();
    m_problem = first.problem;
    if (first.levels.empty()) return;  // refused: the picture stays empty
    m_levels.assign(kFirstLevel, QImage());
    for (QImage& level : first.levels) m_levels.push_back(std::move(level));
    m_size = m_pendingSize;
}

void CMapPicture::ReleaseFullDecode() {
    if (m_bFullDecodeReleased) return;
    m_bFullDecodeReleased = true;
    m_fullDecodeGo.set_value();
}

void CMapPicture::FinishLoading() {
    WaitForFirstLook();
    ReleaseFullDecode();
    if (m_worker.joinable()) m_worker.join();
    if (!m_pending) return;
    std::vector<QImage> finer = std::move(*m_pending);
    m_pending.reset();
    for (size_t k = 0; k < finer.size() && k < m_levels.size(); ++k) m_levels[k] = std::move(finer[k]);
    ++m_generation;
}

CSize CMapPicture::GetHimetricSize() const {
    if (IsEmpty()) return {};
    return HimetricFromPixels(m_size);
}

CSize CMapPicture::GetPixelSize() const { return PixelsFromHimetric(GetHimetricSize()); }

int CMapPicture::LevelFor(double scale) const {
    int wanted = 0;
    while (wanted + 1 < LevelCount() && scale <= 1.0 / double(1 << (wanted + 1))) ++wanted;
    for (int k = wanted; k >= 0; --k)
        if (!m_levels[size_t(k)].isNull()) return k;
    for (int k = wanted + 1; k < LevelCount(); ++k)
        if (!m_levels[size_t(k)].isNull()) return k;
    return -1;
}

bool CMapPicture::ReductionIsCostly(double scale) const {
    const int level = LevelFor(scale);
    if (level < 0) return false;
    const double residual = scale * m_size.cx / Level(level).width();
    return residual < 0.75;
}

bool CMapPicture::Render(QPainter& painter, const CRect& dest, const CRect& source, bool wholePicture,
                         const std::function<void(int top, int bottom)>& afterRows) const {
    if (IsEmpty()) return true;
    const CSize himetric = GetHimetricSize();
    const PixelRectF src = SourcePixels(RenderSource(himetric, source, wholePicture), himetric, m_size);
    if (src.width <= 0 || src.height <= 0) return true;
    // On a high-density screen each destination pixel is several device
    // pixels: the level is chosen for those.
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double scale = ratio * std::min(dest.Width() / src.width, dest.Height() / src.height);
    const int level = LevelFor(scale);
    if (level < 0) return true;
    const QImage& image = Level(level);
    const double fx = double(image.width()) / m_size.cx, fy = double(image.height()) / m_size.cy;
    const QRectF from(src.left * fx, src.top * fy, src.width * fx, src.height * fy);
    const QRect whole = SnappedToPixels(from);
    if (ratio == 1.0 && whole.width() == dest.Width() && whole.height() == dest.Height()) {
        // Pixel for pixel (100%, or a halved copy at exactly its scale): a plain copy.
        constexpr int kBandRows = 64;
        const int band = afterRows ? kBandRows : whole.height();
        for (int y = 0; y < whole.height(); y += band) {
            const int rows = std::min(band, whole.height() - y);
            painter.drawImage(QPoint(dest.left, dest.top + y), image,
                              QRect(whole.left(), whole.top() + y, whole.width(), rows));
            if (afterRows) afterRows(dest.top + y, dest.top + y + rows);
        }
        return true;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(dest.left, dest.top, dest.Width(), dest.Height()), image, from);
    painter.restore();
    return true;
}

// The rectangle with whole-pixel edges that `r` stands for once the small
// errors of the HIMETRIC round trip are taken out; empty when an edge lies
// between pixels.
QRect SnappedToPixels(const QRectF& r) {
    const double edges[4] = {r.left(), r.top(), r.right(), r.bottom()};
    int whole[4];
    for (int i = 0; i < 4; ++i) {
        whole[i] = int(std::lround(edges[i]));
        if (std::abs(edges[i] - whole[i]) > 0.02) return {};
    }
    return QRect(QPoint(whole[0], whole[1]), QPoint(whole[2] - 1, whole[3] - 1));
}

QImage HalveByAreaAverage(const QImage& image) {
    const int w = image.width(), h = image.height();
    QImage half((w + 1) / 2, (h + 1) / 2, QImage::Format_RGB32);
    for (int y = 0; y < half.height(); ++y) {
        const uchar* row0 = image.constScanLine(2 * y);
        const uchar* row1 = image.constScanLine(std::min(2 * y + 1, h - 1));
        uchar* out = half.scanLine(y);
        for (int x = 0; x < half.width(); ++x) {
            const int x0 = 8 * x, x1 = 4 * std::min(2 * x + 1, w - 1);
            for (int c = 0; c < 4; ++c)
                out[4 * x + c] = uchar((row0[x0 + c] + row0[x1 + c] + row1[x0 + c] + row1[x1 + c] + 2) / 4);
        }
    }
    return half;
}
