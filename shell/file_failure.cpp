#include "shell/file_failure.h"

#include "shell/text.h"
#include "storage/file_errors.h"

namespace talvair::shell {

QString FileFailureCause(int code) {
  switch (code) {
    case storage::kErrFileTooLarge:
      return Text("The file is too large.", "El archivo es demasiado grande.",
                  "O arquivo é grande demais.");
    case storage::kErrPermissionDenied:
      return Text("There is no permission to use the file.",
                  "No tiene permiso para usar el archivo.",
                  "Você não tem permissão para usar o arquivo.");
    case storage::kErrFileAccess:
      return Text("It is not a regular file (a folder, a FIFO or a device).",
                  "No es un archivo normal (una carpeta, una FIFO o un dispositivo).",
                  "Não é um arquivo comum (uma pasta, um FIFO ou um dispositivo).");
    case storage::kErrBrokenLink:
      return Text("It is a link that leads nowhere.", "Es un enlace que no lleva a ningún sitio.",
                  "É um link que não leva a lugar nenhum.");
    case storage::kErrPathNotFound:
      return Text("The folder does not exist.", "La carpeta no existe.", "A pasta não existe.");
    case storage::kErrBadFileName:
      return Text(
          "The name of the file or of its path is too long (a name takes at most 255 "
          "bytes).",
          "El nombre del archivo o de su ruta es demasiado largo (un nombre admite como "
          "máximo 255 bytes).",
          "O nome do arquivo ou do seu caminho é longo demais (um nome admite no máximo "
          "255 bytes).");
    case storage::kErrDiskFull:
      return Text("The disk is full.", "El disco está lleno.", "O disco está cheio.");
    case storage::kErrPastEnd:
      return Text("The file ends too early.", "El archivo termina antes de tiempo.",
                  "O arquivo termina antes do esperado.");
    case storage::kErrFileTypeMismatch:
    case storage::kErrFileOverflow:
      return Text("A value in the file cannot be read or lies out of range.",
                  "Un valor del archivo no se puede leer o está fuera de rango.",
                  "Um valor do arquivo não pode ser lido ou está fora do intervalo permitido.");
    default:
      return QString();
  }
}

QString WithFileFailureCause(const QString& text, int code) {
  const QString cause = FileFailureCause(code);
  return cause.isEmpty() ? text : text + QLatin1Char(' ') + cause;
}

}  // namespace talvair::shell
