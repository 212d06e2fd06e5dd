// The evaluation against its reference values (oraculo.h): scores, result records, phases and
// the side records left behind, on fixed positions and on 200,000 playout positions. Any
// change of what the evaluation computes shows here; a change of speed does not.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "oraculo.h"

namespace {

// The reference file, keyed by the first two words of each line ("F 12", "B 3", "T").
std::map<std::string, std::string> LeerReferencia() {
    std::map<std::string, std::string> lineas;
    std::ifstream in(std::string(VEMSUL_SOURCE_DIR) + "/tests/eval/oraculo_referencia.txt");
    for (std::string l; std::getline(in, l);) {
        if (l.empty() || l[0] == '#') continue;
        size_t p = l.find(' ');
        size_t q = p == std::string::npos ? p : l.find(' ', p + 1);
        lineas[l.substr(0, q)] = l;
    }
    return lineas;
}

void Comparar(long posiciones) {
    const std::map<std::string, std::string> referencia = LeerReferencia();
    ASSERT_GT(referencia.size(), 500u) << "reference file missing or cut short";
    int comparadas = 0;
    oraculo::Referencia(posiciones, [&](const std::string& l) {
        size_t p = l.find(' ');
        size_t q = p == std::string::npos ? p : l.find(' ', p + 1);
        auto it = referencia.find(l.substr(0, q));
        ASSERT_NE(it, referencia.end()) << l;
        EXPECT_EQ(l, it->second);
        comparadas++;
    });
    long bloques = posiciones / oraculo::Partidas::BLOQUE;
    long esperadas = long(oraculo::Fijas().size()) + oraculo::Partidas::EXPLICITAS + bloques +
                     (posiciones == oraculo::Partidas::TOTAL ? 1 : 0);
    EXPECT_EQ(comparadas, esperadas);
}

// Every position, in the sanitizer build too (about fifteen seconds there).
TEST(OraculoEval, AllPositionsMatchTheReference) { Comparar(oraculo::Partidas::TOTAL); }

}  // namespace
