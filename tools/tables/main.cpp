// zerim-tables SRC_DIR OUT_DIR: compiles the text sources of the embedded
// tables into the binary blocks that zerim embeds (or reads with --data).
#include "TableCompiler.h"
#include "TableOutput.h"

#include <iostream>
#include <new>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zerim-tables SRC_DIR OUT_DIR\n"
                     "  compiles places.tsv, characters.tsv, effects.tsv, spells.tsv,\n"
                     "  vendors.tsv and locations.tsv into OUT_DIR/RCDATA_<id>\n";
        return 1;
    }
    try {
        // Every table is compiled before anything is written, and written
        // all together or not at all.
        const auto tables = CompileDirectory(argv[1]);
        std::string error;
        if (!WriteTables(argv[2], tables, error)) {
            std::cerr << "zerim-tables: " << error << "\n";
            return 1;
        }
    } catch (const std::bad_alloc&) {
        std::cerr << "zerim-tables: out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "zerim-tables: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
