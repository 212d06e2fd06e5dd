// The "perft" console command: reads the depth, times the count the board makes and prints
// it, then the divide list of the root moves.
#include <cinttypes>
#include <cstdio>

#include "search/limits.h"
#include "uci/uci.h"

void ComandoPerft(const char* resto) {
    char palabra[TAM_PALABRA];
    Split_String(resto, palabra);
    int profundidad;
    if (!LeerNumeroSaturado(palabra, profundidad, MAX_PLY)) return;  // too deep already beyond
    TipoJuego.ProfundidadMaxima = profundidad;
    // Depth 0 counts nothing, and the undo stack holds at most 63 nested moves.
    if (profundidad < 1 || profundidad > MAX_PLY - 1) return;

    ContadoresPerft k{};
    RaizPerft raices[MAX_JUGADAS];
    TipoJuego.TiempoInicio = ObtenerTiempo();
    const int n = ContarPerft(profundidad, TipoJuego.Parar != 0, k, raices);
    TipoJuego.TiempoTranscurrido = ObtenerTiempo() - TipoJuego.TiempoInicio + 1;

    std::printf("Nodos: %" PRId64 "\n", i64(k.Nodos));
    std::printf("Capturas: %d\n", k.Capturas);
    std::printf("Captura Ep: %d\n", k.CapturasAlPaso);
    std::printf("Coronacion: %d\n", k.Coronaciones);
    std::printf("Enroques: %d\n", k.Enroques);
    std::printf("Tiempo(ms): %d\n", ObtenerTiempo() - TipoJuego.TiempoInicio);
    std::printf("Nps: %d\n", ATruncado(float(k.Nodos) * 1000.0f / float(TipoJuego.TiempoTranscurrido) + 0.5f));
    std::printf("Divide\n");
    std::printf("------------------------------\n");
    for (int i = 0; i < n; i++) {
        if (raices[i].cuenta == 0) continue;
        char texto[6];
        MovimientoCoordenadas(raices[i].jugada, texto);
        std::printf("%s: %d\n", texto, raices[i].cuenta);
    }
}
