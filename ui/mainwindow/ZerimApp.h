// The application object: start-up, and the one load of the world's data
// behind the loading notice on first demand. It borrows the world that the
// composition root built and hands it to the main window.
#pragma once
#include "startup/BackingPages.h"
#include "startup/ZerimDoc.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

class CMapPicture;
class CWorld;

class CZerimApp {
public:
    // The world must outlive the application object. `documentFile`: the
    // file named on the command line, which must open.
    explicit CZerimApp(CWorld& world, std::optional<QString> documentFile = std::nullopt);
    CZerimApp(const CZerimApp&) = delete;
    CZerimApp& operator=(const CZerimApp&) = delete;

    // The link the window shows once built, and the socket where it then
    // listens for the links of later `zerim LINK` runs (nothing: it does not).
    void SetLinks(std::optional<std::string> link, std::optional<std::string> socket) {
        m_link = std::move(link);
        m_linkSocket = std::move(socket);
    }

    // Creates and shows the main window; false (the named file does not
    // open) ends the process.
    bool InitInstance();

    // The map picture, after loading picture and places on the first call
    // (behind the loading notice). The picture may be empty.
    CMapPicture* EnsureLoaded();

private:
    bool OpenDocument();

    CWorld& m_world;
    std::optional<QString> m_documentFile;
    std::optional<std::string> m_link, m_linkSocket;
    CZerimDoc m_doc;  // holds nothing
    std::unique_ptr<QMainWindow> m_pMainWnd;
    CBackingPages m_firstFramePages;
};
