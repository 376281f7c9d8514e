#include "render/World.h"

#include "data/ResourceIds.h"

CWorld::CWorld(const IResourceStore& store) : m_data(store) {}

CWorld::~CWorld() = default;

void CWorld::Load(const std::function<void()>& whileLoading, const std::function<void(const char*)>& stepDone) {
    if (m_bLoaded) return;
    m_bLoaded = true;  // before loading: a load that finds nothing is not retried
    // The picture decodes on a second thread while the notice comes up and
    // the places are read; the quarter-size first look is waited for here,
    // the full picture arrives later (see CMapPicture).
    StartPicture();
    if (whileLoading) whileLoading();
    m_data.LoadPlaces();
    if (stepDone) stepDone("lieux lus");
    m_picture.WaitForFirstLook();
    if (stepDone) stepDone("premier aperçu de la carte");
}

void CWorld::StartPicture(bool holdFullDecode) {
    if (m_bPictureStarted) return;
    m_bPictureStarted = true;
    if (holdFullDecode) m_picture.HoldFullDecode();
    m_picture.LoadProgressively(m_data.Store(), ResId::IDR_MAP_PICTURE, [this] {
        if (m_onPictureSharper) m_onPictureSharper();
    });
}

std::vector<std::string> CWorld::LoadProblems() const {
    std::vector<std::string> problems;
    const JpegProblem picture = m_picture.Problem();
    if (picture != JpegProblem::None)
        problems.push_back((IsRefusal(picture) ? "carte illisible : " : "carte incomplète : ") +
                           JpegProblemText(picture));
    for (std::string& places : m_data.LoadProblems()) problems.push_back(std::move(places));
    return problems;
}
