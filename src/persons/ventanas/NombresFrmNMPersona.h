#pragma once
// The person editor's controls by role, and the names the office knows them by.

#include <QString>

namespace nombres::frmNMPersona {
inline const QString kVentana = QStringLiteral("FrmNMPersona");
inline const QString kTitulo = QStringLiteral("LblTitulo");
inline const QString kSalir = QStringLiteral("ImgSalir");
inline const QString kTipoDocumento = QStringLiteral("ComboDocumento");
inline const QString kDocumento = QStringLiteral("TxtDocumento");
inline const QString kNombre = QStringLiteral("TxtNombre");
inline const QString kSexo = QStringLiteral("ComboSexo");
inline const QString kEstadoCivil = QStringLiteral("ComboEstadoCivil");
inline const QString kNacimiento = QStringLiteral("DtNac");
inline const QString kEdad = QStringLiteral("LblEdad");
inline const QString kSangre = QStringLiteral("ComboSangre");
inline const QString kAnteojos = QStringLiteral("ComboAnteojos");
inline const QString kDomicilio = QStringLiteral("TxtDomicilio");
inline const QString kRotuloCiudad = QStringLiteral("Label4_5");
inline const QString kCiudad = QStringLiteral("ComboCiudad");
inline const QString kNuevaCiudad = QStringLiteral("CmdNCiudad");
inline const QString kOcupacion = QStringLiteral("TxtOcupacion");
inline const QString kTelefono = QStringLiteral("TxtTelefono");
inline const QString kCelular = QStringLiteral("TxtCelular");
inline const QString kEmail = QStringLiteral("TxtEmail");
inline const QString kFoto = QStringLiteral("ImgFoto");
inline const QString kFirma = QStringLiteral("ImgFirma");
inline const QString kHuella = QStringLiteral("ImgHuella");
inline const QString kObtenerFoto = QStringLiteral("LblFoto");
inline const QString kObtenerFirma = QStringLiteral("Lblfirma");
inline const QString kObtenerHuella = QStringLiteral("LblHuella");
inline const QString kNuevaCarpeta = QStringLiteral("ChkNuevaCarpeta");
inline const QString kRotuloNuevaCarpeta = QStringLiteral("LblCheck");
inline const QString kImagenNuevaCarpeta = QStringLiteral("ImgCheck");
inline const QString kAceptar = QStringLiteral("CmdAceptar");
inline const QString kCancelar = QStringLiteral("CmdCancelar");
} // namespace nombres::frmNMPersona
