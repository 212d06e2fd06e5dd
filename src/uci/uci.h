// The protocol front end: start-up, the command loop, the word reader and the handlers.
#pragma once

#include "board/board.h"
#include "numero.h"
#include "uci/lector.h"

constexpr int TAM_LINEA = MAX_LINEA_ENTRADA + 1;  // line buffer: the longest line and its terminator
constexpr int MAX_LETRAS_PALABRA = 78;            // a longer word is cut, its rest read as the next
constexpr int TAM_PALABRA = 80;                   // word buffer: 78 characters, terminator, spare

// Reads the next blank-separated word (blanks are spaces only) into palabra, cut at 78
// characters. Returns the reading position behind it.
const char* Split_String(const char* pos, char palabra[TAM_PALABRA]);

// input.cpp: the search's input seam, installed at start-up (EntradaEsperando)
bool EntradaUci(bool esperar);
// isready answered during a search leaves its work (tablebase library, table size) for the
// end of that search: true once, then false until the next such isready.
bool TomarIsreadyPendiente();

// loop.cpp
void IniciarMotor();        // the start-up sequence, silent
void LeerComandos();        // the command loop; returns when the process should end
void EjecutarComando(const char* linea);  // dispatch one command line
[[noreturn]] void LiberarMemoria();       // the exit sequence: free, unload, exit(0)

// options.cpp
void IniciarOpciones();       // every option at its start value
void OpcionesNuevaPartida();  // the options a new game sets back (ShowPv)
void ParseSetoption(const char* resto);
void ResponderUci();
void ResponderIsReady();
void AplicarOpciones();  // what isready does besides answering: tablebase library, table size

// position.cpp
void UciNewGame();
void Position_Fen_Startpos(const char* texto);
void Movimiento(const char* texto, int& encontrada);
void ImprimirMovimientoIlegal(const char* texto);  // the illegal-move line and its diagnostics

// go.cpp
void ComandoGo(const char* resto);

// libro.cpp: the opening book's front end
// The go handler's probe: 1 when a book move was printed as bestmove (on "go ponder" once
// ponderhit or stop has come); 0 when the game has left the book and the search must answer.
int BuscarJugadaLibro(bool ponder = false);

// tablas.cpp: the tablebases loaded and released, with their reports
void CargarGaviota();
void DescargarGaviota();
void CargarTablasSyzygy();  // from SyzygyPath, at once

// informe.cpp: the search's reporter (installed at start-up) and the lines it prints
struct Informador;
extern const Informador INFORMADOR_UCI;
// The "score ..." part of an info line: "mate N" or "cp N" with its bound mark.
void TextoPuntuacion(int puntuacion, int cota, char* texto);
// The two info lines of an iteration of pv_line_fin, for a given elapsed time in ms; returns
// their length.
int FormatearInfo(char* buf, int tam, int profundidad, int puntuacion, int cota, int transcurrido);
void ImprimirFaltaMemoria();  // the transposition table could not be allocated

// commands.cpp, libro.cpp, bench.cpp and perft.cpp: console commands beyond the protocol
void ComandoD();
void ComandoEval();
void ComandoSyzygy();
void ComandoBook();
void ComandoBench(const char* resto);  // also "vemsul bench [depth]" from the shell
void ComandoPerft(const char* resto);
