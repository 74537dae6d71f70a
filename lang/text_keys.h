// Every key the program looks up in the string table, in one place, so that the shipped
// language files can be checked against it.
#pragma once

// Texts of the user interface.
inline constexpr const char16_t* kTextKeys[] = {
    u"tGenMESSAGE",         u"tGenOK",          u"tGenNO",         u"tGenYES",
    u"tGenBROWSE",          u"tMainSOURCE",     u"tMainSOURCETIP", u"tMainFILENAME",
    u"tMainHASH",           u"tMainCLIPBOARD",  u"tMainSAVE",      u"tMainDELETE",
    u"tMainDELETEALL",      u"tMainSETTINGS",   u"tMainALGORITHM", u"tMainBITS",
    u"tMainCALCULATE",      u"tMainCANCEL",     u"tMenuFILE",      u"tMenuOPEN",
    u"tMenuQUIT",           u"tMenuLANGUAGES",  u"tMenuHELP",      u"tMenuOPENHELP",
    u"tMenuABOUT",          u"tMenuOPENWEB",    u"tReqOPENFILE",   u"tReqOPENPATTERN",
    u"tReqSAVEDATA",        u"tReqSAVEPATTERN", u"tReqSAVEERROR",  u"tReqCLIPBOARD",
    u"tReqDELETE",          u"tReqDELETEALL",   u"tReqCANCEL",     u"tReqSURETOEXIT",
    u"tReqINPROGRESSQUIT",  u"tReqFINISHED",    u"tReqCANCELLED",  u"tInfoFILESPROCESSED",
    u"tInfoERRORCALCULATE", u"tInfoFILES",      u"tAboutTITLE",    u"tAboutCODE",
};

// The header group of a language file and its keys; the catalogue reads them, and the help
// program's file name takes the language id from the string table.
inline constexpr const char16_t* kLanguageFileGroup = u"LANGUAGE FILE";
inline constexpr const char16_t* kLanguageHeaderKeys[] = {
    u"tLangFileNAME",   u"tLangFileVERSION", u"tLangFileDATE",
    u"tLangFileAUTHOR", u"tLangFileLANGID",  u"tLangFileSOFTWARE",
};

// The texts shown by the message dialog, the only place where backslash and "n" become a line
// break. Anywhere else the pair would appear literally.
inline constexpr const char16_t* kMessageDialogKeys[] = {
    u"tReqDELETE",    u"tReqDELETEALL", u"tReqCANCEL",   u"tReqSURETOEXIT", u"tReqINPROGRESSQUIT",
    u"tReqCLIPBOARD", u"tReqSAVEERROR", u"tReqFINISHED", u"tReqCANCELLED",
};
