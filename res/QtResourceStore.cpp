#include "res/QtResourceStore.h"

#include <QFileInfo>
#include <QResource>

QString EmbeddedPath(const ResType& type, int id) {
    return QStringLiteral(":/zerim/") + QString::fromStdString(ResourceKey(type, id));
}

std::optional<ByteBlock> CQtResourceStore::Find(const ResType& type, int id) const {
    const QString path = EmbeddedPath(type, id);
    const QResource resource(path);
    if (!resource.isValid() || QFileInfo(path).isDir()) return std::nullopt;
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return ByteBlock(resource.data(), size_t(resource.size()));  // read in place
    const std::string key = ResourceKey(type, id);
    auto it = m_expanded.find(key);
    if (it == m_expanded.end()) it = m_expanded.emplace(key, resource.uncompressedData()).first;
    return ByteBlock(it->second.constData(), size_t(it->second.size()));
}
