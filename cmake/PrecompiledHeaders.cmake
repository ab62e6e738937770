# Precompiled headers for the Qt widget code: most of a gui file's compile
# time goes into parsing the same Qt and standard headers again.
set(HIKEWISE_QT_PCH_HEADERS
  <algorithm> <functional> <memory> <string> <vector>
  <QApplication> <QCheckBox> <QComboBox> <QDialog> <QDialogButtonBox>
  <QFormLayout> <QLabel> <QLineEdit> <QMessageBox> <QPainter> <QString>
  <QTimer> <QVBoxLayout> <QHBoxLayout> <QWidget>)

# Off, every file must include what it uses on its own: a build without
# them shows a missing include that the precompiled header hid.
option(HIKEWISE_PCH "Precompiled headers for the Qt widget code" ON)

# Gives a Qt widget target its own precompiled header.
function(hikewise_qt_pch target)
  if(HIKEWISE_PCH)
    target_precompile_headers(${target} PRIVATE ${HIKEWISE_QT_PCH_HEADERS})
  endif()
endfunction()

# Lets a target compiled with the same options (a test of the gui) use
# another target's precompiled header instead of building its own.
function(hikewise_reuse_pch target from)
  if(HIKEWISE_PCH)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
