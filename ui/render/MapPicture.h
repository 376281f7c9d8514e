// The map picture: decoded once from its JPEG resource and kept decoded;
// draws any part of itself stretched into a rectangle.
#pragma once
#include "data/ByteBlock.h"
#include "data/Geometry.h"
#include "data/JpegProblem.h"

#include <QImage>

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class IResourceStore;
class QObject;
class QPainter;

class CMapPicture {
public:
    CMapPicture();
    ~CMapPicture();
    CMapPicture(const CMapPicture&) = delete;
    CMapPicture& operator=(const CMapPicture&) = delete;

    // Loads the JPG resource of `store` with this id (low 16 bits). False
    // when the resource is missing, and the current picture is kept;
    // otherwise true, even if the bytes do not decode, which leaves the
    // picture empty (see Problem).
    bool Load(const IResourceStore& store, unsigned int id);
    // Replaces the picture with the decoded bytes; always true, the picture
    // being empty when they do not decode.
    bool LoadFromBytes(ByteBlock bytes);
    // What went wrong with the last load's bytes: a refusal leaves the
    // picture empty, a fault (a file cut short) keeps what was decoded. Known
    // once the first look is in (WaitForFirstLook).
    JpegProblem Problem() const { return m_problem; }

    // As Load, but the decoding happens on a second thread: first the
    // quarter-size copy (all that the start-up zoom needs), which
    // WaitForFirstLook installs, then the full picture, which takes over when
    // ready, after which `onSharper` runs on this thread. The resource bytes
    // must live as long as the process (the embedded ones do).
    bool LoadProgressively(const IResourceStore& store, unsigned int id, std::function<void()> onSharper);
    // Waits for the quarter-size copy and installs it; the picture is empty
    // if the bytes do not decode.
    void WaitForFirstLook();
    // Asked before LoadProgressively: the worker stops after the first look
    // until ReleaseFullDecode, so that the full decode does not take the
    // processor from the start-up. A new load, FinishLoading and the
    // destructor release it too.
    void HoldFullDecode() { m_bHoldFull = true; }
    void ReleaseFullDecode();
    // Waits for a decode on the second thread, if any, and installs it.
    void FinishLoading();
    // Whether the full picture is still to come after the first look.
    bool SharperToCome() const { return m_pending != nullptr; }

    bool IsEmpty() const { return m_size.cx == 0 || m_size.cy == 0; }
    CSize GetHimetricSize() const;
    CSize GetPixelSize() const;

    // Draws picture pixels `source` (top-down) stretched into `dest`, in the
    // painter's coordinates; in whole-picture mode the whole picture, and
    // `source` is ignored. The picture must not be empty. A reduced draw
    // reads from the halved copy just at or above the target scale, so the
    // map is never aliased. A plain copy (pixel for pixel) is made a band of
    // rows at a time when `afterRows` is given, which is given each band's
    // rows (top included, bottom not) once drawn.
    bool Render(QPainter& painter, const CRect& dest, const CRect& source, bool wholePicture,
                const std::function<void(int top, int bottom)>& afterRows = {}) const;

    // Whether a draw reduced to `scale` has to shrink its copy by more than a
    // quarter (costly for every frame), rather than nearly copy it.
    bool ReductionIsCostly(double scale) const;
    // Changes whenever the picture's copies change (a new load, the full
    // picture arriving), for anyone who keeps a drawing of it.
    int Generation() const { return m_generation; }

    // The halved copies: level k is the picture at 1 / 2^k (level 0 is the
    // picture itself), down to about a hundred pixels. While the full decode
    // runs, the finer levels are null.
    int LevelCount() const { return int(m_levels.size()); }
    const QImage& Level(int k) const { return m_levels[size_t(k)]; }

    // The level to draw from for a reduction to `scale`: the coarsest one at
    // or above it that is decoded, else the nearest coarser one; -1 when
    // the picture is empty.
    int LevelFor(double scale) const;

private:
    void Clear();

    CSize m_size;                  // pixel size of the full picture; (0, 0) while empty
    JpegProblem m_problem = JpegProblem::None;
    int m_generation = 0;
    std::vector<QImage> m_levels;  // RGB32
    // Threading: the one worker decodes into images of its own and writes
    // only *m_pending, which the GUI thread reads after joining it. It tells
    // the GUI thread through a queued call on m_receiver; the worker is joined
    // before m_receiver is destroyed, which drops a call not yet run. Only the
    // GUI thread touches the levels.
    std::thread m_worker;
    std::unique_ptr<QObject> m_receiver;
    std::shared_ptr<std::vector<QImage>> m_pending;
    struct Decoded {
        std::vector<QImage> levels;  // the first look and its halved copies; none when refused
        JpegProblem problem = JpegProblem::None;
    };
    std::future<Decoded> m_firstLook;  // the quarter-size copy, from the worker
    CSize m_pendingSize;              // the size it will have once installed
    bool m_bHoldFull = false;
    std::promise<void> m_fullDecodeGo;  // the worker waits on it before the full decode
    bool m_bFullDecodeReleased = true;
};

// The levels of a decoded picture: the picture, then halved copies down to
// about a hundred pixels, or `count` levels at most.
std::vector<QImage> BuildLevels(QImage full, int count = 64);

QRect SnappedToPixels(const QRectF& r);

// The picture at half its size, each pixel the mean of a 2 x 2 block (an odd
// last row or column is averaged with itself).
QImage HalveByAreaAverage(const QImage& image);
