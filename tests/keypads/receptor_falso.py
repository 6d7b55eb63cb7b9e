#!/usr/bin/python3
# A keypad receiver faked with umockdev, for testing the USB link end to end.
#
# Run under umockdev-wrapper:  receptor_falso.py PROGRAM [ARGS...]
# It adds /dev/hidrawN (vendor 0x0461, product 0x0021, 55-byte input and output
# reports, no report IDs), starts PROGRAM with UMOCKDEV_DIR pointing at it and
# answers like the receiver: search -> status 10, "R" N, "M" N, "C" -> status 2.
# Extra output reports with byte 1 = 0x7E drive the test itself:
#   0x7E 'K' n  -> n answer reports (position 0 = '1'..'9' in turn, positions
#                  52 and 53 = the report's sequence number, low byte first)
#   0x7E 'U'    -> the receiver is unplugged, and plugged back 800 ms later
#   0x7E 'G'    -> one report with the gaps between the writes received since the
#                  previous 'G' (up to 13, microseconds as 32-bit little endian
#                  from byte 1 on, byte 0 their count)
# The receiver needs 100 ms between output reports: any shorter gap is an error.
#
# The fake node is a PTY and umockdev does not intercept poll(): one byte is kept
# pending in the PTY while input reports are queued so that poll() wakes the
# reader, and it is flushed when the queue empties so that read timeouts hold.
# Exit status: the program's, or 77 when umockdev is not available (skip).

import os
import struct
import subprocess
import sys
import termios
import time

try:
    import gi

    gi.require_version("UMockdev", "1.0")
    from gi.repository import GLib, UMockdev
except (ImportError, ValueError) as e:
    print("umockdev no disponible: %s" % e, file=sys.stderr)
    sys.exit(77)

if "umockdev" not in os.environ.get("LD_PRELOAD", ""):
    print("hay que ejecutarlo con umockdev-wrapper", file=sys.stderr)
    sys.exit(77)

DESCRIPTOR = bytes.fromhex(
    "0600ff"  # usage page (vendor defined)
    "0901a101"  # usage 1, application collection
    "150026ff007508"  # 0..255, 8 bits
    "953709018102"  # 55 input bytes
    "953709019102"  # 55 output bytes
    "c0"
)
HIDIOCGRDESCSIZE = 0x80044801
HIDIOCGRDESC = 0x90044802
EAGAIN, ENOTTY = 11, 25
LARGO = 55  # report without its ID
SEPARACION = 0.100  # least time between two output reports



def dispositivo(n):
    """Sysfs paths, node and description of the n-th plug (a receiver plugged
    back gets a new hidraw number, as on a real machine)."""
    padre = "/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/0003:0461:0021.%04X" % (n + 1)
    hijo = padre + "/hidraw/hidraw%d" % n
    nodo = "/dev/hidraw%d" % n
    texto = (
        "P: %s\nN: hidraw%d\nE: DEVNAME=%s\nE: SUBSYSTEM=hidraw\n"
        "L: device=../../../0003:0461:0021.%04X\n\n"
        "P: %s\nE: DRIVER=hid-generic\nE: HID_ID=0003:00000461:00000021\n"
        "E: HID_NAME=Receptor\nE: HID_UNIQ=\nE: SUBSYSTEM=hid\n"
        "H: report_descriptor=%s\n" % (hijo, n, nodo, n + 1, padre, DESCRIPTOR.hex())
    )
    return padre, hijo, nodo, texto


def estado(n):
    r = bytearray(LARGO)
    r[2] = n  # byte 3 once the link puts the report ID in front
    return bytes(r)


class Receptor(UMockdev.IoctlBase):
    def __init__(self, banco):
        super().__init__()
        self.banco = banco
        self.cola = []
        self.maestro = None
        self.esclavo = None
        self.encontrado = False
        self.numero = None
        self.busqueda = None
        self.errores = 0
        self.enchufes = 0
        self.actual = None
        self.ultima_escritura = None
        self.separaciones = []

    # --- the node -------------------------------------------------------------
    def enchufar(self):
        self.actual = dispositivo(self.enchufes)
        self.enchufes += 1
        _, _, nodo, texto = self.actual
        self.banco.add_from_string(texto)
        self.banco.attach_ioctl(nodo, self)
        self.maestro = self.banco.get_dev_fd(nodo)
        pts = os.readlink(self.banco.get_root_dir() + nodo)
        self.esclavo = os.open(pts, os.O_RDWR | os.O_NOCTTY)
        self.cola.clear()
        return False

    def desenchufar(self):
        self.cola.clear()
        if self.esclavo is not None:
            os.close(self.esclavo)
            self.esclavo = None
        padre, hijo, nodo, _ = self.actual
        self.banco.remove_device("/sys" + hijo)
        self.banco.remove_device("/sys" + padre)
        if os.path.lexists(self.banco.get_root_dir() + nodo):
            os.unlink(self.banco.get_root_dir() + nodo)
        self.maestro = None
        self.encontrado = False

    def encolar(self, reporte):
        if not self.cola and self.maestro is not None:
            os.write(self.maestro, b"\x01")
        self.cola.append(reporte)

    def despues(self, ms, reporte, encontrado=False):
        def enviar():
            self.busqueda = None
            self.encontrado = encontrado
            self.encolar(reporte)
            return False

        return GLib.timeout_add(ms, enviar)

    # --- the device's calls ---------------------------------------------------
    def do_handle_ioctl(self, cliente):
        pedido = cliente.get_request()
        if pedido == HIDIOCGRDESCSIZE:
            cliente.get_arg().resolve(0, 4).update(0, list(struct.pack("i", len(DESCRIPTOR))))
            cliente.complete(0, 0)
        elif pedido == HIDIOCGRDESC:
            datos = struct.pack("I", len(DESCRIPTOR)) + DESCRIPTOR
            cliente.get_arg().resolve(0, 4 + 4096).update(0, list(datos))
            cliente.complete(0, 0)
        else:
            cliente.complete(-1, ENOTTY)
        return True

    def do_handle_read(self, cliente):
        if not self.cola:
            cliente.complete(-1, EAGAIN)
            return True
        arg = cliente.get_arg()
        reporte = self.cola.pop(0)[: len(arg.retrieve())]
        arg.update(0, list(reporte))
        if not self.cola and self.esclavo is not None:
            termios.tcflush(self.esclavo, termios.TCIFLUSH)
        cliente.complete(len(reporte), 0)
        return True

    def do_handle_write(self, cliente):
        # Timed before the write completes: the writer cannot send the next one
        # before that, so a gap measured here is never longer than the real one.
        ahora = time.monotonic()
        if self.ultima_escritura is not None:
            separacion = ahora - self.ultima_escritura
            self.separaciones.append(separacion)
            if separacion < SEPARACION:
                self.errores += 1
                print("escrituras a solo %.1f ms" % (separacion * 1000), file=sys.stderr)
        self.ultima_escritura = ahora
        datos = bytes(cliente.get_arg().retrieve())
        cliente.complete(len(datos), 0)
        self.recibir(datos)
        return True

    # --- the receiver's behaviour ---------------------------------------------
    def recibir(self, r):
        if len(r) != LARGO + 1 or r[0] != 0:
            self.errores += 1
            print("reporte mal formado: %s" % r.hex(), file=sys.stderr)
            self.encolar(estado(9))
            return
        b1, b2, b3 = r[1], r[2], r[3]
        if (b1, b2) == (0x01, 0x01):
            self.encontrado = False
            if self.busqueda:
                GLib.source_remove(self.busqueda)
            self.busqueda = self.despues(50, estado(10), encontrado=True)
        elif (b1, b2) == (0x00, 0x53):
            if self.busqueda:
                GLib.source_remove(self.busqueda)
                self.busqueda = None
            self.encontrado = False
        elif (b1, b2) == (0x00, 0x52):
            self.numero = b3 if self.encontrado else None
        elif (b1, b2) == (0x00, 0x4D):
            if self.numero != b3:
                self.numero = None
        elif (b1, b2, b3) == (0x01, 0x43, 0x80):
            self.despues(20, estado(2 if self.encontrado and self.numero else 8))
        elif (b1, b2) == (0x7E, ord("K")):
            for i in range(b3):
                rep = bytearray(LARGO)
                rep[1] = ord("1") + i % 9  # position 0
                rep[53] = i & 0xFF  # position 52
                rep[54] = i >> 8  # position 53
                self.encolar(bytes(rep))
        elif (b1, b2) == (0x7E, ord("G")):
            medidas = self.separaciones[-13:]
            self.separaciones = []
            rep = bytearray(LARGO)
            rep[0] = len(medidas)
            for i, s in enumerate(medidas):
                struct.pack_into("<I", rep, 1 + 4 * i, min(int(s * 1e6), 0xFFFFFFFF))
            self.encolar(bytes(rep))
        elif (b1, b2) == (0x7E, ord("U")):
            self.desenchufar()
            GLib.timeout_add(800, self.enchufar)


def main():
    banco = UMockdev.Testbed.new()
    receptor = Receptor(banco)
    receptor.enchufar()
    entorno = dict(os.environ, UMOCKDEV_DIR=banco.get_root_dir(), TAVELMO_RECEPTOR_FALSO="1")
    programa = subprocess.Popen(sys.argv[1:], env=entorno)
    bucle = GLib.MainLoop()
    resultado = {}

    def termino(pid, estado_hijo):
        resultado["rc"] = programa.wait()
        bucle.quit()

    GLib.child_watch_add(GLib.PRIORITY_DEFAULT, programa.pid, termino)
    bucle.run()
    rc = resultado.get("rc", 1)
    if rc == 0 and receptor.errores:
        rc = 1
    sys.exit(rc)


if __name__ == "__main__":
    main()
