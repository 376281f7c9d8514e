// What the window shows, built once from a resource store: the world's
// tables (CWorldData, as the modes without a window read them) and the map
// picture, and whether they are loaded.
// The composition root makes one and hands it (or a narrow part of it) to
// the windows; nothing reaches it through a global.
#pragma once
#include "npc/WorldData.h"
#include "render/MapPicture.h"

#include <functional>
#include <string>
#include <vector>

class IResourceStore;

class CWorld {
public:
    // The store must outlive the world.
    explicit CWorld(const IResourceStore& store);
    ~CWorld();
    CWorld(const CWorld&) = delete;
    CWorld& operator=(const CWorld&) = delete;

    // Where every table and page comes from (the finders read theirs).
    const IResourceStore& Store() const { return m_data.Store(); }
    // The world's tables, as the modes without a window read them.
    CWorldData& Data() { return m_data; }

    // Whether loading has begun; it is never undone, so a load that finds
    // nothing is not tried again.
    bool IsLoaded() const { return m_bLoaded; }
    // Loads picture and places, once: starts decoding the picture on its
    // thread, runs `whileLoading` (the loading notice), reads the places and
    // waits for the picture's first look, telling `stepDone` (the start-up
    // trace) of each. Later calls do nothing.
    void Load(const std::function<void()>& whileLoading,
              const std::function<void(const char*)>& stepDone = nullptr);
    // Starts decoding the map picture on its thread, once, so that it
    // overlaps what comes before the load (the window system's set-up);
    // Load starts it itself when nobody did. With `holdFullDecode` the
    // thread stops after the first look until ReleaseFullPicture: the full
    // picture is not needed for the first frame, whose time it would share.
    void StartPicture(bool holdFullDecode = false);
    void ReleaseFullPicture() { m_picture.ReleaseFullDecode(); }
    // Runs when the full picture has arrived after the quick first look.
    void OnPictureSharper(std::function<void()> then) { m_onPictureSharper = std::move(then); }

    // The places in table order; empty until loaded.
    const CPlaceArray& Places() const { return m_data.Places(); }
    CMapPicture& Picture() { return m_picture; }
    const CMapPicture& Picture() const { return m_picture; }

    // Who is found at each place, with the tables a place card reads: made
    // at the first call, once loaded, and kept for the run.
    const CLinkedWorld& LinkedWorld() { return m_data.LinkedWorld(); }
    const CRoadNetwork& Roads() { return m_data.Roads(); }

    // What went wrong while loading, one French phrase each, in lower case
    // (as after "zerim: "): the map picture refused or cut short, the place
    // table cut short. Empty when all went well, and when a resource is
    // simply absent, which leaves its feature empty as ever.
    std::vector<std::string> LoadProblems() const;
    // Whether the map picture was there but could not be decoded at all.
    bool MapUnreadable() const { return IsRefusal(m_picture.Problem()); }

private:
    CWorldData m_data;
    bool m_bLoaded = false;
    bool m_bPictureStarted = false;
    CMapPicture m_picture;
    std::function<void()> m_onPictureSharper;
};
