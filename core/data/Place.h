// One named place of the world, as the place table stores it.
#pragma once
#include <cstdint>
#include <string>

class CPlace {
public:
    CPlace(std::string name, int32_t x, int32_t y, int32_t level, int32_t type)
        : m_strName(std::move(name)), m_x(x), m_y(y), m_nLevel(level), m_nType(type) {}
    virtual ~CPlace() = default;

    std::string m_strName;  // as stored: single-byte characters, no conversion
    int32_t m_x;            // world coordinates, signed
    int32_t m_y;
    int32_t m_nLevel;       // drawn from this detail level on (or when highlighted)
    int32_t m_nType;        // kind of place; kept but used by no behaviour
};
