// The evaluation oracle: a fixed, varied set of positions (the worked examples of the tests
// plus positions reached by seeded random playouts from openings, middlegames and endgames),
// and a digest of everything an evaluation leaves behind: the score, the result record, the
// phase and both side records. The reference values in oraculo_referencia.txt were taken from
// the evaluation before it was tuned for speed; the test checks that every later version
// still produces exactly the same values. bench/eval_bench.cpp --referencia writes the file.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "eval/eval.h"
#include "search/tt.h"
#include "uci/uci.h"

namespace oraculo {

// Positions with a known role: the examples of the evaluation tests, the bench and the
// micro-benchmark, and a few extremes (nine queens, five pawns on a file, the half-move clock).
inline const char* const FIJAS[] = {
    "1B5K/8/2P3P1/3p1P2/4n3/8/8/k7 b - - 0 1",
    "1K1k4/1P6/8/8/8/8/r7/2R5 w - - 0 1",
    "1b5k/2p2p2/8/3pN3/3P4/8/8/K7 w - - 0 1",
    "1b5k/2p2pp1/8/3pN3/3P4/8/8/K7 w - - 0 1",
    "1b5k/2p2pp1/8/3pN3/8/8/8/K7 w - - 0 1",
    "1b5k/8/b7/8/8/4K3/8/2B2B2 b - - 0 1",
    "1b5k/8/b7/8/8/4K3/8/2B2B2 w - - 0 1",
    "1bb1k3/8/8/8/8/8/8/1BB2K2 w - - 0 1",
    "1k6/6Br/7P/8/8/8/8/1K6 b - - 0 1",
    "1k6/6Pr/7P/8/8/8/8/1K6 b - - 0 1",
    "1k6/8/8/8/8/7p/6bR/1K6 w - - 0 1",
    "1k6/8/8/8/8/7p/6pR/1K6 w - - 0 1",
    "1k6/P7/8/8/8/8/8/4K1N1 w - - 0 1",
    "1q5k/8/8/4P3/8/8/8/K7 b - - 0 1",
    "2K5/p7/7P/5pR1/8/5k2/r7/8 w - - 0 1",
    "2b1k3/8/8/8/8/8/8/1NB1K3 w - - 0 1",
    "2b1k3/8/8/8/8/8/8/2R1K3 w - - 0 1",
    "2b4k/2p2pp1/8/3pN3/3P4/8/8/K7 w - - 0 1",
    "2kr3r/ppp2ppp/2n1bn2/2bqp3/8/2NP1NP1/PPPBPPBP/R2Q1RK1 w - - 0 10",
    "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 w - - 0 1",
    "2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
    "2rqkb1r/ppp2p2/2npb1p1/1N1Nn2p/2P1PP2/8/PP2B1PP/R1BQK2R b KQ - 0 11",
    "2rr3k/pp3pp1/1nnqbN1p/3pN3/2pP4/2P3Q1/PPB4P/R4RK1 w - - 0 1",
    "3b4/5kp1/1p1p1p1p/pP1PpP1P/P1P1P3/3KN3/8/8 w - - 0 1",
    "3k4/P7/8/8/8/8/8/4K1N1 b - - 0 1",
    "3k4/P7/8/8/8/8/8/4K1N1 w - - 0 1",
    "3qk3/8/8/8/8/5P1P/6K1/8 w - - 0 1",
    "3qk3/8/8/8/8/8/8/2BQK3 w - - 0 1",
    "3qk3/8/8/8/8/8/8/3RK3 w - - 0 1",
    "3r1rk1/p1q2ppp/1pn1pn2/2p5/2P1P3/2NB1P2/PP1Q2PP/3R1RK1 b - - 0 16",
    "3r1rk1/p5pp/bpp1pp2/8/q1PP1P2/b3P3/P2NQRPP/1R2B1K1 b - - 6 22",
    "4K3/8/4k3/8/8/8/8/r7 w - - 0 1",
    "4k2r/8/4K3/8/8/8/8/Q7 b - - 0 1",
    "4k2r/8/4K3/8/8/8/8/Q7 w - - 0 1",
    "4k3/1p6/8/8/8/8/p7/7K b - - 0 1",
    "4k3/1p6/8/8/8/8/p7/7K w - - 0 1",
    "4k3/2p5/8/8/8/8/8/R3K3 w - - 0 1",
    "4k3/2p5/B7/1p6/8/8/8/4K3 w - - 0 1",
    "4k3/3p4/3p4/8/3P4/8/3P4/4K3 w - - 0 1",
    "4k3/5p1B/6p1/8/8/8/8/4K3 w - - 0 1",
    "4k3/7B/6p1/5p2/8/8/8/4K3 w - - 0 1",
    "4k3/8/1K6/8/8/8/8/8 w - - 0 1",
    "4k3/8/1K6/8/8/8/P6P/8 w - - 0 1",
    "4k3/8/1K6/8/8/8/PP6/8 w - - 0 1",
    "4k3/8/3p4/3n4/8/8/8/4K3 b - - 0 1",
    "4k3/8/4K3/8/8/8/8/2B2B2 w - - 0 1",
    "4k3/8/4K3/8/8/8/8/QQ1R4 w - - 0 1",
    "4k3/8/4K3/8/8/8/8/R7 w - - 0 1",
    "4k3/8/4K3/8/8/8/8/R7 w - - 100 1",
    "4k3/8/4K3/8/8/8/8/R7 w - - 99 1",
    "4k3/8/4K3/8/8/8/PP6/Q7 w - - 0 1",
    "4k3/8/7p/3n4/8/8/8/4K3 b - - 0 1",
    "4k3/8/8/3n4/8/2B5/8/4K2R w - - 0 1",
    "4k3/8/8/6p1/8/8/8/4K3 w - - 0 1",
    "4k3/8/8/7P/8/8/8/4K3 w - - 0 1",
    "4k3/8/8/8/1P6/8/8/4K3 w - - 0 1",
    "4k3/8/8/8/1P6/b1P5/8/4K3 b - - 0 1",
    "4k3/8/8/8/1P6/b7/2P5/4K3 b - - 0 1",
    "4k3/8/8/8/3N4/3P4/8/4K3 w - - 0 1",
    "4k3/8/8/8/3N4/7P/8/4K3 w - - 0 1",
    "4k3/8/8/8/5P2/6P1/7b/4K3 b - - 0 1",
    "4k3/8/8/8/5n2/8/8/2B4K w - - 0 1",
    "4k3/8/8/8/8/1NR5/1P1P4/K1B5 w - - 0 1",
    "4k3/8/8/8/8/6P1/5P1b/4K3 b - - 0 1",
    "4k3/8/8/8/8/8/1P6/2N1K3 w - - 0 1",
    "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1",
    "4k3/8/8/8/8/8/6P1/2B1K3 w - - 0 1",
    "4k3/8/8/8/8/8/7p/n3K3 b - - 0 1",
    "4k3/8/8/8/8/8/7p/n5K1 b - - 0 1",
    "4k3/8/8/8/8/8/8/1BBB1K2 w - - 0 1",
    "4k3/8/8/8/8/8/8/1N2K3 b - - 0 1",
    "4k3/8/8/8/8/8/8/2RRK3 w - - 0 1",
    "4k3/8/8/8/8/8/8/Q2qK3 w - - 0 1",
    "4k3/8/8/8/8/8/8/RNB1K3 w - - 0 1",
    "4k3/8/8/8/p7/8/8/4K3 w - - 0 1",
    "4k3/8/B1p5/1p6/8/8/8/4K3 w - - 0 1",
    "4k3/pp3p1p/8/8/8/8/PP3P1P/4K3 w - - 0 1",
    "4r1k1/r1q2ppp/ppp2n2/4P3/5Rb1/1N1BQ3/PPP3PP/R5K1 w - - 1 17",
    "4rrk1/pp1n3p/3q2pQ/2p1pb2/2PP4/2P3N1/P2B2PP/4RRK1 b - - 7 19",
    "5rk1/1ppb3p/p1pb4/6q1/3P1p1r/2P1R2P/PP1BQ1P1/5RKN w - - 0 1",
    "6k1/3Q3R/8/8/8/8/8/K7 w - - 0 1",
    "6k1/4n3/4P3/8/8/8/8/6K1 w - - 0 1",
    "6k1/4p3/8/4P3/3P4/8/8/6K1 w - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "6k1/6p1/6Pp/ppp5/3pn2P/1P3K2/1PP2P2/3N4 b - - 0 1",
    "6k1/8/4p3/8/4p3/8/8/R5K1 b - - 0 1",
    "6k1/R2Q4/8/8/8/8/8/K7 w - - 0 1",
    "7K/8/2P3P1/3p1P2/4n3/8/8/k6B b - - 0 1",
    "7K/8/8/8/8/4k3/8/r4BR1 b - - 0 1",
    "7k/2p2pp1/8/3pN3/3P4/8/7b/K7 w - - 0 1",
    "7k/2p2pp1/8/3pN3/3P4/8/8/K7 w - - 0 1",
    "7k/7P/8/8/8/8/3B4/4K3 b - - 0 1",
    "7k/7P/8/8/8/8/3B4/4K3 w - - 0 1",
    "7k/7P/8/8/8/8/4B3/4K3 w - - 0 1",
    "7k/8/6n1/8/8/4K3/8/2B2B2 w - - 0 1",
    "7k/8/8/3p4/R3n3/8/8/7K w - - 0 1",
    "7k/8/8/4r3/8/3N1N2/8/7K w - - 0 1",
    "7k/8/8/8/4P3/8/3B4/4K3 w - - 0 1",
    "7k/8/8/8/7K/8/P1P5/n7 b - - 0 1",
    "7k/8/8/8/8/4K3/8/NB5n w - - 0 1",
    "7k/8/8/8/8/4K3/8/R4br1 w - - 0 1",
    "7k/8/8/8/8/4K3/8/R5b1 b - - 0 1",
    "7k/8/8/8/8/4K3/8/R5b1 w - - 0 1",
    "7k/8/8/8/8/4K3/8/R5n1 w - - 0 1",
    "7k/8/8/8/8/4K3/8/RN5r w - - 0 1",
    "7k/8/8/8/8/4K3/P7/R6r w - - 0 1",
    "7k/8/8/8/R3n3/8/8/7K w - - 0 1",
    "7k/8/8/r3N3/3P4/8/8/7K b - - 0 1",
    "7k/8/8/r3N3/8/8/8/7K b - - 0 1",
    "7k/8/b7/8/8/4K3/8/2B2B2 b - - 0 1",
    "7k/8/b7/8/8/4K3/8/2B2B2 w - - 0 1",
    "7k/P7/8/8/8/8/1P6/4K3 b - - 0 1",
    "7k/P7/8/8/8/8/1P6/4K3 w - - 0 1",
    "7k/P7/8/8/8/8/1P6/4K3 w - - 100 1",
    "7k/P7/8/8/8/8/1P6/n3K3 w - - 0 1",
    "7k/p7/8/8/8/4K3/P7/8 w - - 0 1",
    "7r/8/4k3/8/4K3/8/8/R7 b - - 0 1",
    "7r/8/4k3/8/4K3/8/8/R7 w - - 0 1",
    "7r/8/4k3/8/8/8/8/R3K3 w - - 0 1",
    "8/2b5/8/4k3/8/8/8/2B1K3 b - - 99 1",
    "8/2n5/8/4k3/8/8/8/2B1K3 w - - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "8/5P2/8/8/8/2k5/p7/4K3 w - - 0 1",
    "8/5pk1/6p1/3R4/8/1r4P1/5PK1/8 w - - 0 1",
    "8/5ppp/1k6/8/8/8/8/4K3 w - - 0 1",
    "8/5ppp/6k1/8/8/8/8/4K3 w - - 0 1",
    "8/6k1/1P3p1p/3P3P/P7/8/8/R2QK3 b - - 0 1",
    "8/6pk/1p6/8/PP3p1p/5P2/4KP1q/3Q4 w - - 0 1",
    "8/7B/8/8/8/2K5/8/k6N w - - 0 1",
    "8/7R/4k3/7K/8/1p6/8/8 b - - 0 1",
    "8/7R/4k3/7K/8/1p6/8/8 w - - 0 1",
    "8/7p/5k2/5p2/p1p2P2/Pr1pPK2/1P1R3P/8 b - - 0 1",
    "8/8/1k6/8/8/4K3/8/R6R w - - 0 1",
    "8/8/3k4/3p4/3P4/3K4/8/8 w - - 0 1",
    "8/8/3k4/4p3/8/8/8/B1n4K b - - 0 1",
    "8/8/3k4/4p3/8/8/8/B1n4K w - - 0 1",
    "8/8/4P3/2k5/8/8/8/7K w - - 0 1",
    "8/8/4P3/8/8/8/8/k6K b - - 0 1",
    "8/8/4P3/8/8/8/8/k6K w - - 0 1",
    "8/8/4k3/8/3N4/8/8/K7 b - - 0 1",
    "8/8/4k3/8/4P3/8/8/7K w - - 0 1",
    "8/8/4k3/8/4PK2/8/8/r6R w - - 0 1",
    "8/8/4k3/8/8/1p6/1K6/7R w - - 0 1",
    "8/8/4k3/8/8/4K3/8/R6R w - - 0 1",
    "8/8/4k3/8/8/4K3/8/R7 w - - 0 1",
    "8/8/4kpp1/3p1b2/p6P/2B5/6P1/6K1 b - - 0 1",
    "8/8/8/3B4/8/5K2/8/1N5k b - - 0 1",
    "8/8/8/3B4/8/5K2/8/1N5k w - - 0 1",
    "8/8/8/3b4/8/5k2/8/1n5K b - - 0 1",
    "8/8/8/3b4/8/5k2/8/1n5K w - - 0 1",
    "8/8/8/3k4/8/8/3PK3/8 w - - 0 1",
    "8/8/8/4B3/8/5K2/8/1N5k w - - 0 1",
    "8/8/8/4k3/3N4/8/8/K7 w - - 0 1",
    "8/8/8/4k3/8/8/8/2B1K3 w - - 0 1",
    "8/8/8/4k3/8/8/8/2N1K3 b - - 0 1",
    "8/8/8/4k3/8/8/8/2N1K3 w - - 0 1",
    "8/8/8/4k3/8/8/8/4K3 w - - 0 1",
    "8/8/8/4k3/8/8/8/4KQ2 w - - 0 1",
    "8/8/8/8/2n5/2NNK3/8/6k1 w - - 0 1",
    "8/8/8/8/4k3/8/8/2BNK3 w - - 0 1",
    "8/8/8/8/8/2NNK3/8/6k1 b - - 0 1",
    "8/8/8/8/8/2NNK3/8/6k1 w - - 0 1",
    "8/8/8/8/8/8/1P6/4K2R w K - 0 1",
    "8/8/8/8/8/8/6P1/R2K4 w - - 0 1",
    "8/8/8/8/8/8/k1p5/6QK b - - 0 1",
    "8/8/8/8/8/8/k1p5/6QK w - - 0 1",
    "8/8/8/8/8/8/k1p5/6RK w - - 0 1",
    "8/8/8/8/8/8/kp6/6RK w - - 0 1",
    "8/8/b7/3k4/8/4K3/8/2B2B2 w - - 0 1",
    "8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - - 0 1",
    "8/pp3k2/2p5/3p4/3P4/2P5/PP3K2/8 w - - 0 1",
    "B6K/8/2P3P1/3p1P2/4n3/8/8/k7 b - - 0 1",
    "BBBBBBBB/BB6/8/8/8/8/8/K6k b - - 0 1",
    "K7/8/8/8/8/4p3/8/7k b - - 0 1",
    "N7/8/8/7k/8/8/8/7K w - - 0 1",
    "N7/p1p5/8/7k/8/8/8/7K w - - 0 1",
    "NNNNNNNN/N7/8/8/8/8/8/K6k w - - 0 1",
    "QQQQQQQQ/Q7/8/8/8/8/8/K6k w - - 0 1",
    "QQQQQQQQ/QQ6/8/8/8/8/8/K6k w - - 0 1",
    "RRRRRRRR/RR6/8/8/8/8/8/K6k b - - 0 1",
    "RRRRRRRR/RR6/8/8/8/8/8/K6k w - - 0 1",
    "k1b5/8/8/8/4P3/8/8/N6K w - - 0 1",
    "k7/8/2b5/8/4P3/8/8/N6K b - - 0 1",
    "k7/8/2b5/8/4P3/8/8/N6K w - - 0 1",
    "k7/8/8/4p3/8/8/8/B1n4K b - - 0 1",
    "k7/8/8/8/3N4/8/8/K7 w - - 0 1",
    "k7/8/8/8/4p3/8/8/1Q5K w - - 0 1",
    "k7/8/8/8/8/8/r2q4/6K1 b - - 0 1",
    "nb2k3/8/8/8/8/8/8/4K2R w - - 0 1",
    "7k/P7/8/8/8/8/1P6/4K3 w - - 80 1",
    "7k/P7/8/8/8/8/1P6/4K3 w - - 81 1",
    "r1b1k2r/ppppnppp/2n2q2/2b5/3NP3/2P1B3/PP3PPP/RN1QKB1R w KQkq - 0 7",
    "r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1",
    "r1b2rk1/2q1bppp/p2p1n2/np2p3/3PP3/5N1P/PPBN1PP1/R1BQR1K1 w - - 0 12",
    "r1bbk1nr/pp3p1p/2n5/1N4p1/2Np1B2/8/PPP2PPP/2KR1B1R w kq - 0 13",
    "r1bq1r1k/b1p1npp1/p2p3p/1p6/3PP3/1B2NN2/PP3PPP/R2Q1RK1 w - - 1 16",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R w KQ - 0 8",
    "r1bq1rk1/ppp1nppp/4n3/3p3Q/3P4/1BP1B3/PP1N2PP/R4RK1 w - - 1 16",
    "r1bqk2r/pppp2Pp/2n2n2/2b5/8/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkb1r/1ppp1ppp/p1n2n2/4p3/B3P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 2 5",
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/4P3/2N2N2/PPPP1PPP/R1BQKB1R w KQkq - 4 4",
    "r1bqkb1r/pppppppp/8/8/8/4N3/PPPPPPPP/RNBQKB1R w KQkq - 0 1",
    "r1bqkbnr/pp2pppp/2n5/2pp4/3P4/2N5/PPP1PPPP/R1BQKBNR w KQkq - 0 4",
    "r1bqkbnr/ppp1pppp/2n5/3p4/3P4/2N5/PPP1PPPP/R1BQKBNR w KQkq - 2 3",
    "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3",
    "r1bqkbnr/pppppppp/4n3/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1",
    "r1bqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/RNBQKB1R w KQkq - 0 1",
    "r2q1rk1/1b1nbppp/pp1ppn2/8/2PNP3/1PN1B3/P3BPPP/R2Q1RK1 w - - 0 11",
    "r2qk3/8/8/7p/6p1/8/5PPP/6K1 w - - 0 1",
    "r2qk3/8/8/8/6P1/5P1P/6K1/8 w - - 0 1",
    "r2qk3/8/8/8/8/5P1P/6K1/8 w - - 0 1",
    "r2qk3/8/8/8/8/8/8/4K3 w - - 0 1",
    "r2qk3/8/8/p7/3p3p/1p3P1P/6K1/8 w - - 0 1",
    "r3k2r/8/8/8/8/8/8/3QK3 w - - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w Kq e3 0 1",
    "r3k2r/pppbbppp/2n2q1P/1P2p3/3pn3/BN2PNP1/P1PPQPB1/R3K2R b Qk e6 0 1",
    "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1",
    "r3k3/1p3p2/8/8/8/8/1P3P2/R3K3 w - - 0 1",
    "r3k3/8/8/8/8/8/8/3QK3 b - - 0 1",
    "r3r1k1/2p2ppp/p1p1bn2/8/1q2P3/2NPQN2/PPP3PP/R4RK1 b - - 2 15",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "r4rk1/pp1n1ppp/2pbpq2/3p4/2PP4/1PN1PN2/P3QPPP/R4RK1 w - - 0 13",
    "r5k1/5ppp/8/8/8/8/5PPP/R5K1 b - - 0 1",
    "r5k1/8/4P3/8/4P3/8/4P3/6K1 w - - 0 1",
    "r5k1/8/8/3pP3/3P4/8/8/6K1 w - - 0 1",
    "r5k1/8/8/4P3/3P4/8/8/6K1 w - - 0 1",
    "r5k1/8/8/4P3/8/4P3/8/6K1 w - - 0 1",
    "r5k1/8/8/4P3/8/8/8/6K1 w - - 0 1",
    "r5k1/8/p7/7P/8/8/8/6K1 w - - 0 1",
    "r6r/8/4k3/8/8/4K3/8/8 b - - 0 1",
    "rnbq1rk1/ppp1ppbp/3p1np1/8/2PPP3/2N2N2/PP2BPPP/R1BQK2R b KQ - 3 6",
    "rnbqk1nr/ppp2ppp/4p3/3p4/1b1PP3/2N5/PPP2PPP/R1BQKBNR w KQkq - 2 4",
    "rnbqk2r/ppp1ppbp/3p1np1/8/2PPP3/2N5/PP3PPP/R1BQKBNR w KQkq - 0 5",
    "rnbqkb1r/1p2pppp/p2p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 0 6",
    "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
    "rnbqkb1r/ppp1pppp/5n2/3p4/2PP4/8/PP2PPPP/RNBQKBNR w KQkq - 1 3",
    "rnbqkb1r/ppp2ppp/4pn2/3p2B1/2PP4/2N5/PP2PPPP/R2QKBNR b KQkq - 3 4",
    "rnbqkb1r/pppppppp/3n4/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1",
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2",
    "rnbqkbnr/pppppppp/8/8/8/3N4/PPPPPPPP/R1BQKBNR w KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/4B3/PPPPPPPP/RN1QKBNR w KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/RNBQKB1R w KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "QQQQQQQQ/Q7/8/8/8/8/8/k6K w - - 0 1",
    "k7/P7/P7/P7/P7/P7/8/K7 w - - 0 1",
    "k7/p7/p7/p7/p7/p7/8/K7 b - - 0 1",
    "NNNNNNNN/NN6/8/8/8/8/8/k6K b - - 0 1",
    "bbbbbbbb/bb6/8/8/4k3/8/8/RRRRRRRR w - - 0 1",
    "r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w KQkq - 85 12",
    "r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R b KQkq - 100 12",
    "8/5k2/8/3p4/8/2P5/5K2/8 w - - 81 60",
    "8/5k2/8/3p4/8/2P5/5K2/8 b - - 99 60",
    // Crowded boards that fill the attack lists beyond their capacity and the piece lists
    // beyond eight.
    "NnNnNnNk/NnNnNnNn/NnNnNnNn/NnNnNnNn/NnNnNnNn/NnNnNnNn/NnNnNnNn/KnNnNnNn w - - 0 1",
    "BbBbBbBk/bBbBbBbB/BbBbBbBb/bBbBbBbB/BbBbBbBb/bBbBbBbB/BbBbBbBb/KbBbBbBb b - - 0 1",
    "QqQqQqQk/QqQqQqQq/QqQqQqQq/QqQqQqQq/QqQqQqQq/QqQqQqQq/QqQqQqQq/KqQqQqQq w - - 0 1",
    "RrRrRrRk/rRrRrRrR/RrRrRrRr/rRrRrRrR/RrRrRrRr/rRrRrRrR/RrRrRrRr/KrRrRrRr w - - 0 1",
    "QnBrQnBk/pPpPpPpP/RqNbRqNb/PpPpPpPp/nQbRnQbR/pPpPpPpP/bNrQbNrQ/KpPpPpPp w - - 0 1",
    "rnbqkbnr/pppppppp/PPPPPPPP/PPPPPPPP/pppppppp/pppppppp/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
};

// A 64-bit digest: every value fed in changes it, in order.
struct Resumen {
    u64 h = 0x243F6A8885A308D3ull;
    void Sumar(u64 v) {
        h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    void Sumar(const i32* v, int n) {
        for (int i = 0; i < n; i++) Sumar(u64(u32(v[i])));
    }
};

// Everything a side record holds after an evaluation; the attack lists up to their used
// length (what lies beyond is left over from earlier calls and never read).
inline void SumarBando(Resumen& r, const DatosBando& b) {
    r.Sumar(b.PeonesColumna, 8);
    for (i8 p : b.PeonPasado) r.Sumar(u64((unsigned char)p));
    r.Sumar(&b.CasillaPeon[0][0], 32);
    r.Sumar(b.CasillaCaballo, 8);
    r.Sumar(b.CasillaAlfil, 8);
    r.Sumar(b.CasillaTorre, 8);
    r.Sumar(b.CasillaDama, 8);
    const i32 numeros[] = {b.NumPeones, b.NumCaballos, b.NumAlfiles, b.NumTorres, b.NumDamas,
                           b.PuntosMedio, b.PuntosFinal, b.AtaquesZonaRey, b.PesoAtacantes, b.ReyEnPeligro};
    r.Sumar(numeros, 10);
    r.Sumar(b.Defendida, 64);
    auto lista = [&r](const i32* l, i32 usados, int capacidad) {
        r.Sumar(u64(u32(usados)));
        r.Sumar(l, usados < 0 ? 0 : usados > capacidad ? capacidad : usados);
    };
    lista(b.AtaquesCaballo, b.NumAtaquesCaballo, 64);
    lista(b.AtaquesAlfil, b.NumAtaquesAlfil, 112);
    lista(b.AtaquesTorre, b.NumAtaquesTorre, 112);
    lista(b.AtaquesDama, b.NumAtaquesDama, 224);
}

// What one evaluation of the current position gives back. The result record starts filled
// with 0x5A bytes, so a record left untouched (material draws, special endings) shows.
struct Salida {
    int puntos;
    ResultadoEval r;
    int fase;
};

inline Salida Evaluacion(bool conCache) {
    Salida s;
    std::memset(&s.r, 0x5A, sizeof s.r);
    s.puntos = conCache ? Evaluar(&s.r) : EvaluarSinCache(&s.r);
    s.fase = TableroGlobal.FaseJuego;
    return s;
}

inline void SumarSalida(Resumen& r, const Salida& s) {
    r.Sumar(u64(u32(s.puntos)));
    r.Sumar(u64(u16(s.r.Puntuacion)));
    for (i8 p : s.r.PeonPasadoBlancas) r.Sumar(u64((unsigned char)p));
    for (i8 p : s.r.PeonPasadoNegras) r.Sumar(u64((unsigned char)p));
    r.Sumar(u64(u32(s.fase)));
    SumarBando(r, Blancas);
    SumarBando(r, Negras);
}

// The digest of one position: the evaluation without the cache; for every eighth position
// also two calls through the cache (a store, then a hit), each with the records it leaves.
inline u64 ResumenPosicion(long indice, Salida* sinCache = nullptr) {
    Resumen r;
    Salida s = Evaluacion(false);
    SumarSalida(r, s);
    if (sinCache) *sinCache = s;
    if (indice % 8 == 0) {
        SumarSalida(r, Evaluacion(true));
        SumarSalida(r, Evaluacion(true));
    }
    return r.h;
}

inline void Cargar(const std::string& fen) { Position_Fen_Startpos(("fen " + fen).c_str()); }

// Seeded random playouts. The legal moves are sorted by their move word before one is drawn,
// so the positions do not depend on the order in which the generator produces the moves.
class Partidas {
public:
    static constexpr long TOTAL = 200000;    // positions in all
    static constexpr long BLOQUE = 1000;     // positions per reference digest
    static constexpr long EXPLICITAS = 300;  // first positions whose values are kept one by one

    // Calls f(indice) with each position in turn set up in TableroGlobal.
    template <class F>
    void Recorrer(long total, F&& f) {
        long indice = 0;
        for (int partida = 0; indice < total; partida++) {
            std::string fen = INICIOS[partida % (sizeof INICIOS / sizeof INICIOS[0])];
            if (Azar(4) == 0) fen = ConReloj(fen, 70 + int(Azar(31)));  // towards the fifty-move limit
            Cargar(fen);
            int largo = 10 + int(Azar(150));
            for (int ply = 0; ply < largo && indice < total; ply++) {
                f(indice++);
                if (!JugarAlAzar() || SoloFinal()) break;
                // The undo stack only serves unmake, which a playout never goes back through.
                if (TableroGlobal.Ply >= 60) TableroGlobal.Ply = 0;
            }
        }
    }

private:
    static constexpr const char* INICIOS[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
        "2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
        "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq - 0 5",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "8/pp3k2/2p5/3p4/3P4/2P5/PP3K2/8 w - - 0 1",
        "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
        "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 w - - 0 1",
        "7k/1PPPP3/8/8/8/8/3pppp1/K7 w - - 0 1",
        "4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3 b - - 0 1",
        "8/8/4kpp1/3p1b2/p6P/2B5/6P1/6K1 b - - 0 1",
        "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1",
        "8/8/8/4k3/8/8/8/2BNK3 w - - 0 1",
        "4k3/8/8/3q4/8/8/3P4/3RK3 b - - 0 1",
        "r1b1k1nr/pP3ppp/8/8/8/8/1p3PPP/R1B1K1NR w KQkq - 0 1",
        "8/5pk1/6p1/3R4/8/1r4P1/5PK1/8 w - - 0 1",
    };

    u64 estado = 0x5EED5EED12345678ull;

    // splitmix64, reduced to 0..n-1.
    u64 Azar(u64 n) {
        u64 z = (estado += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return (z ^ (z >> 31)) % n;
    }

    // Bare kings, or a few men without pawns: what is left says little more.
    static bool SoloFinal() {
        const DatosBando &b = Blancas, &n = Negras;
        int piezas = b.NumCaballos + b.NumAlfiles + b.NumTorres + b.NumDamas + n.NumCaballos + n.NumAlfiles +
                     n.NumTorres + n.NumDamas;
        return b.NumPeones + n.NumPeones == 0 && piezas <= 2;
    }

    static std::string ConReloj(const std::string& fen, int reloj) {
        // The clock is the fifth field.
        size_t p = 0;
        for (int campo = 0; campo < 4; campo++) p = fen.find(' ', p) + 1;
        size_t fin = fen.find(' ', p);
        return fen.substr(0, p) + std::to_string(reloj) + fen.substr(fin);
    }

    // Plays a legal move, favouring captures and pawn moves now and then so that the games
    // reach endings and promotions. False when there is none.
    bool JugarAlAzar() {
        ListaJugadas lista;
        const int n = GenerarLegales(lista);
        std::vector<Jugada> legales, capturas, peones;
        for (int i = 0; i < n; i++) legales.push_back(lista[i].Jugada);
        if (legales.empty()) return false;
        std::sort(legales.begin(), legales.end());
        for (Jugada j : legales) {
            if (Capturada(j) != SIN_PIEZA) capturas.push_back(j);
            if (Pieza(j) == PEON_B || Pieza(j) == PEON_N) peones.push_back(j);
        }
        const std::vector<Jugada>* de = &legales;
        u64 tipo = Azar(20);
        if (tipo < 4 && !capturas.empty()) de = &capturas;
        else if (tipo < 9 && !peones.empty()) de = &peones;
        HacerMovimiento((*de)[Azar(de->size())]);
        return true;
    }
};

// The reference lines, in order:
//   F <i> <score> <record score> <8 White passed> <8 Black passed> <phase> <digest>   fixed position i
//   P <i> <same fields> <fen>                                                        playout position i
//   B <k> <digest of the playout positions k*BLOQUE .. (k+1)*BLOQUE-1>
//   T <digest of all playout positions>   (only when all TOTAL positions are run)
// Calls linea(texto) for each; `total` playout positions are run (at most TOTAL).
template <class F>
void Referencia(long total, F&& linea) {
    LimpiarTransposicion();  // the cache starts empty
    auto campos = [](const Salida& s, u64 resumen) {
        char t[256];
        int n = std::snprintf(t, sizeof t, "%d %d", s.puntos, s.r.Puntuacion);
        for (i8 p : s.r.PeonPasadoBlancas) n += std::snprintf(t + n, sizeof t - n, " %d", p);
        for (i8 p : s.r.PeonPasadoNegras) n += std::snprintf(t + n, sizeof t - n, " %d", p);
        std::snprintf(t + n, sizeof t - n, " %d %016llx", s.fase, (unsigned long long)resumen);
        return std::string(t);
    };
    long i = 0;
    for (const char* fen : FIJAS) {
        Cargar(fen);
        Salida s;
        u64 r = ResumenPosicion(i, &s);
        linea("F " + std::to_string(i++) + " " + campos(s, r));
    }
    Resumen bloque, todo;
    Partidas partidas;
    partidas.Recorrer(total, [&](long indice) {
        char fen[128] = "";
        if (indice < Partidas::EXPLICITAS) EscribirFen(fen);
        Salida s;
        u64 r = ResumenPosicion(indice, &s);
        if (indice < Partidas::EXPLICITAS) linea("P " + std::to_string(indice) + " " + campos(s, r) + " " + fen);
        bloque.Sumar(r);
        todo.Sumar(r);
        if ((indice + 1) % Partidas::BLOQUE == 0) {
            char t[64];
            std::snprintf(t, sizeof t, "B %ld %016llx", indice / Partidas::BLOQUE, (unsigned long long)bloque.h);
            linea(t);
            bloque = Resumen();
        }
    });
    if (total == Partidas::TOTAL) {
        char t[64];
        std::snprintf(t, sizeof t, "T %016llx", (unsigned long long)todo.h);
        linea(t);
    }
}

}  // namespace oraculo
