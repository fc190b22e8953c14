#include "display/form1.h"

namespace koralin {

Form1::Form1() {
  mnuFiles.items = {&mnuLoggen,    &mnuPlayLog, &mnuReflines,        &mnuCrcCheck,  &mnuLockCheck,
                    &mnuPollingSpeed, &mnuFilesSep1, &mnuShowDDE, &mnuDevice, &mnuCreateGPstrings,
                    &mnuDfWindow,  &mnuNewHunt, &mnuExportHunt, &mnuFilesSep2, &mnuExit};
  mnuComIn.items = {&mnuAutoBaud, &mnuBaud1k2,  &mnuBaud2k4,   &mnuBaud4k8,   &mnuBaud9k6,
                    &mnuBaud19k2, &mnuBaud38k4, &mnuComInSep1, &mnuAnyTalker, &mnuTerminalIn};
  mnuComOut.items = {&mnuRMCPlainOut, &mnuGPGGAOut,       &mnuPGRMZOut,       &mnuHCHDTout,   &mnuAgreloInOut,
                     &mnuRMCModifiedOut, &mnuRMCModifiedOut1, &mnuMinGpsSpeedOut, &mnuTerminalOut, &mnuHCHDTinp,
                     &mnuComOutSep1,  &mnuComOutOff,      &mnuSameComOut,     &mnuCom1,       &mnuCom2,
                     &mnuCom3,        &mnuCom4,           &mnuCom5,           &mnuComOutSep2, &mnuBaud1200,
                     &mnuBaud2400,    &mnuBaud4800,       &mnuBaud9600,       &mnuBaud19200,  &mnuBaud38400,
                     &mnuModifiedInfo};
  mnuTime.items = {&mnuUTC, &mnuWinter, &mnuSummer, &mnuTimeZone};
  mnuSpeed.items = {&mnuKnots,     &mnuMiles,       &mnuKilometres, &mnuMetresSec,
                    &mnuSpeedSep1, &mnuFeet2Metres, &mnuMaxRange};
  mnuInfo.items = {&mnuShortCuts, &mnuProtocol,  &mnuDDEInfo, &mnuRs232Info,
                   &mnuDeviceManager, &mnuInfoSep1, &mnuAbout};
  menuBar = {&mnuFiles, &mnuComIn, &mnuComOut, &mnuTime, &mnuSpeed, &mnuGpsFlux, &mnuMinimalDisplay, &mnuInfo};

  labels = {&Frame1,       &lblGPRMC,     &lblLock,        &lblLatitude, &lblLongitude, &lblTime,
            &lblDate,      &lblCompass,   &lblCompassText, &lblTurnPrompt, &lblAltitude, &lblHeight,
            &lblFluxGateCompass, &lblDoppler, &lblAmplitude, &lblDDESound, &lblSpeed,  &lblUnity,
            &lblLat1,      &lblLong1,     &lblVal1,        &lblCompas1,  &lblSpeed1,    &lblHeight1,
            &lblDoppler1};

  lblGPRMC.SetToolTip("$GPRMC string from GPS.");
  lblLock.SetToolTip("GPS rx status.");
  lblTime.SetToolTip("UTC time from GPS.");
  lblDate.SetToolTip("Date from GPS.");
  lblDoppler.SetToolTip("Agrelo Data.");
  lblAmplitude.SetToolTip("Doppler amplitude.");
  lblHeight.SetToolTip("Altitude Click to change.");
  Picture1.SetToolTip("CompassPelorus North=Up and PC-time..");
  lblFluxGateCompass.SetVisible(false);
  Frame1.SetFontUnderline(true);
  lblLatitude.SetBackColor(colour::kWhite);
  lblLongitude.SetBackColor(colour::kWhite);
  lblLock.SetBackColor(colour::kWhite);
  lblCompass.SetBackColor(colour::kWhite);
}

}  // namespace koralin
