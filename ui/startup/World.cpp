#include "startup/World.h"

#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "npc/LinkedWorld.h"
#include "startup/StartupClock.h"

CWorld::CWorld(const IResourceStore& store) : m_store(store) {}

CWorld::~CWorld() = default;

void CWorld::Load(const std::function<void()>& whileLoading) {
    if (m_bLoaded) return;
    m_bLoaded = true;  // before loading: a load that finds nothing is not retried
    // The picture decodes on a second thread while the notice comes up and
    // the places are read; the quarter-size first look is waited for here,
    // the full picture arrives later (see CMapPicture).
    StartPicture();
    if (whileLoading) whileLoading();
    LoadPlaces();
    MarkStartup("lieux lus");
    m_picture.WaitForFirstLook();
    MarkStartup("premier aperçu de la carte");
}

void CWorld::StartPicture(bool holdFullDecode) {
    if (m_bPictureStarted) return;
    m_bPictureStarted = true;
    if (holdFullDecode) m_picture.HoldFullDecode();
    m_picture.LoadProgressively(m_store, ResId::IDR_MAP_PICTURE, [this] {
        if (m_onPictureSharper) m_onPictureSharper();
    });
}

bool CWorld::LoadPlaces() {
    const auto block = FindRcData(m_store, ResId::IDR_PLACES);
    if (!block) return false;
    m_bPlacesCut = !ParsePlaceTable(*block, m_places);
    return !m_bPlacesCut;
}

std::vector<std::string> CWorld::LoadProblems() const {
    std::vector<std::string> problems;
    const JpegProblem picture = m_picture.Problem();
    if (picture != JpegProblem::None)
        problems.push_back((IsRefusal(picture) ? "carte illisible : " : "carte incomplète : ") +
                           JpegProblemText(picture));
    if (m_bPlacesCut) problems.push_back(CutPlaceTableNotice(m_places.GetSize()));
    return problems;
}

const CLinkedWorld& CWorld::LinkedWorld() {
    if (!m_linked) m_linked = std::make_unique<CLinkedWorld>(m_places.Array(), m_store);
    return *m_linked;
}
