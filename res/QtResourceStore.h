// The resources embedded in the executable through Qt's resource system,
// each stored at ":/zerim/TYPE_ID" (for example ":/zerim/RCDATA_133").
#pragma once
#include "data/ResourceStore.h"

#include <QByteArray>

#include <map>
#include <string>

class CQtResourceStore : public IResourceStore {
public:
    std::optional<ByteBlock> Find(const ResType& type, int id) const override;

private:
    // Resources stored compressed are expanded once and kept here, so that
    // every block stays valid for the life of the store.
    mutable std::map<std::string, QByteArray> m_expanded;
};

// The path of a resource in Qt's resource system.
QString EmbeddedPath(const ResType& type, int id);
