// zerim-tables SRC_DIR OUT_DIR: compiles the text sources of the embedded
// tables into the binary blocks that zerim embeds (or reads with --data).
#include "TableCompiler.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zerim-tables SRC_DIR OUT_DIR\n"
                     "  compiles places.tsv, characters.tsv, effects.tsv, spells.tsv,\n"
                     "  vendors.tsv and locations.tsv into OUT_DIR/RCDATA_<id>\n";
        return 1;
    }
    try {
        const auto tables = CompileDirectory(argv[1]);
        std::filesystem::create_directories(argv[2]);
        for (const CompiledTable& table : tables) {
            const auto path = std::filesystem::path(argv[2]) / table.key;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(table.bytes.data()), std::streamsize(table.bytes.size()));
            if (!out.flush()) {
                std::cerr << "zerim-tables: cannot write " << path.string() << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "zerim-tables: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
