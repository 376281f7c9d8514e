// zerim-firstlook JPEG OUT: writes the map picture's first look (see
// data/FirstLook.h), which the build embeds beside the picture.
#include "data/FirstLook.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage : zerim-firstlook IMAGE.jpg SORTIE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
        std::cerr << "zerim-firstlook: lecture impossible : " << argv[1] << "\n";
        return 1;
    }
    // A picture that does not decode cleanly gets an empty first look: the
    // program then decodes it and reports what is wrong, as for any other.
    const std::vector<unsigned char> block = MakeFirstLook(ByteBlock(jpeg));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(block.data()), std::streamsize(block.size()));
    out.close();
    if (!out) {
        std::cerr << "zerim-firstlook: écriture impossible : " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
