# Renames of the shared library's core modules (diagnostics, util, settings), applied with
# perl -pi RENAMES.pl to every file. Log texts in string literals ("of module cSHAREDSettings",
# QStringLiteral("FileSubs")...) are left alone: the lookbehinds keep quoted and logged names.

# ---- include paths ------------------------------------------------------------------------
s{"shared/diagnostics/mSHAREDLogging\.h"}{"shared/diagnostics/Logging.h"}g;
s{"shared/diagnostics/mSHAREDOSINFO\.h"}{"shared/diagnostics/OsInfo.h"}g;
s{"shared/util/mSHAREDFileSubs\.h"}{"shared/util/Files.h"}g;
s{^#include "shared/util/mSHAREDSubs\.h"}{#include "shared/util/Pointer.h"\n#include "shared/util/ProgramInfo.h"}g;
s{"shared/util/mSHAREDDelay\.h"}{"shared/util/Delay.h"}g;
s{"shared/util/mSHAREDWWW\.h"}{"shared/util/Web.h"}g;
s{"shared/util/mSHAREDTextSubs\.h"}{"shared/util/Text.h"}g;
s{"shared/util/mSHAREDHtmHelp\.h"}{"shared/util/Help.h"}g;
s{"shared/settings/cSHAREDSettings\.h"}{"shared/settings/SettingsStore.h"}g;
s{"shared/settings/cSHAREDSetting\.h"}{"shared/settings/SettingValue.h"}g;
s{"shared/settings/mSHAREDSettings\.h"}{"shared/settings/Settings.h"}g;
s{"shared/ui/mSHAREDShowError\.h"}{"shared/ui/ShowErrorReport.h"}g;
# source lists
s{\bshared/diagnostics/mSHAREDLogging\.(cpp|h)\b}{shared/diagnostics/Logging.$1}g;
s{\bshared/diagnostics/mSHAREDOSINFO\.(cpp|h)\b}{shared/diagnostics/OsInfo.$1}g;
s{\bshared/util/mSHAREDFileSubs\.(cpp|h)\b}{shared/util/Files.$1}g;
s{\bshared/util/mSHAREDSubs\.(cpp|h)\b}{shared/util/Pointer.$1}g;
s{\bshared/util/mSHAREDDelay\.(cpp|h)\b}{shared/util/Delay.$1}g;
s{\bshared/util/mSHAREDWWW\.(cpp|h)\b}{shared/util/Web.$1}g;
s{\bshared/util/mSHAREDTextSubs\.(cpp|h)\b}{shared/util/Text.$1}g;
s{\bshared/util/mSHAREDHtmHelp\.(cpp|h)\b}{shared/util/Help.$1}g;
s{\bshared/settings/cSHAREDSettings\.(cpp|h)\b}{shared/settings/SettingsStore.$1}g;
s{\bshared/settings/cSHAREDSetting\.(cpp|h)\b}{shared/settings/SettingValue.$1}g;
s{\bshared/settings/mSHAREDSettings\.(cpp|h)\b}{shared/settings/Settings.$1}g;
s{\bshared/ui/mSHAREDShowError\.(cpp|h)\b}{shared/ui/ShowErrorReport.$1}g;
s{\bshared/util/FileSubsTest\.cpp\b}{shared/util/FilesTest.cpp}g;

# ---- namespaces named in "namespace" and "using namespace" lines
s{\bwexlo::mSHAREDFileSubs\b}{wexlo::files}g;
s{\bwexlo::mSHAREDDelay\b}{wexlo::delay}g;
s{\bwexlo::mSHAREDWWW\b}{wexlo::web}g;
s{\bwexlo::mSHAREDTextSubs\b}{wexlo::text}g;
s{\bwexlo::mSHAREDHtmHelp\b}{wexlo::help}g;
s{\bwexlo::mSHAREDLogging\b}{wexlo::logging}g;
s{\bwexlo::mSHAREDOSINFO\b}{wexlo::osinfo}g;
s{\bwexlo::mSHAREDSettings\b}{wexlo::settings}g;

# ---- the error handler ------------------------------------------------------------------------
s{\bOnError\b}{ErrorRecorder}g;

# ---- files (was mSHAREDFileSubs) ---------------------------------------------------------------
s{\bmSHAREDFileSubs::FileExists\b}{files::exists}g;
s{\bmSHAREDFileSubs::isReadOnly\b}{files::isReadOnly}g;
s{\bmSHAREDFileSubs::MakeReadWrite\b}{files::makeWritable}g;
s{\bmSHAREDFileSubs::EraseFile\b}{files::erase}g;
s{\bmSHAREDFileSubs::LoadTextFile\b}{files::readText}g;
s{\bmSHAREDFileSubs::LoadFileBytes\b}{files::readAllBytes}g;
s{\bmSHAREDFileSubs::WriteTextFile\b}{files::writeText}g;
s{\bmSHAREDFileSubs::openforoutput\b}{files::openForOutput}g;
s{\bmSHAREDFileSubs::pathonly\b}{files::folderOf}g;
s{\bmSHAREDFileSubs::fileonly\b}{files::fileNameOf}g;
s{\bmSHAREDFileSubs::fileexpath\b}{files::fileNameOf}g;
s{\bmSHAREDFileSubs::addslash\b}{files::withSlash}g;
s{\bmSHAREDFileSubs::driveletter\b}{files::driveLetter}g;
s{\bmSHAREDFileSubs::}{files::}g;
s{\bnamespace mSHAREDFileSubs\b}{namespace files}g;

# ---- program title and version, busy pointer (was mSHAREDSubs) --------------------------------
s{\bmSHAREDSubs::AppVersion\b}{programVersion}g;
s{\bmSHAREDSubs::AppTitle\b}{programTitle}g;
s{\bmSHAREDSubs::busymouse\b}{pointer::showBusy}g;
s{\bmSHAREDSubs::normalmouse\b}{pointer::showNormal}g;

# ---- waiting (was mSHAREDDelay) ------------------------------------------------------------
s{\bmSHAREDDelay::sleepms\b}{delay::sleepMs}g;
s{\bmSHAREDDelay::delayms\b}{delay::waitMs}g;
s{\bmSHAREDDelay::delayseconds\b}{delay::waitSeconds}g;
s{\bmSHAREDDelay::yieldifinput\b}{delay::yieldToInput}g;
s{\bmSHAREDDelay::throttledyield\b}{delay::throttledYield}g;
s{\bmSHAREDDelay::}{delay::}g;

# ---- web pages, text, help (were mSHAREDWWW, mSHAREDTextSubs, mSHAREDHtmHelp) -----------------
s{\bmSHAREDWWW::websitevisit\b}{web::openAddress}g;
s{\bwebsitevisit\b}{web::openAddress}g;
s{\bmSHAREDTextSubs::highlighttext\b}{text::selectAll}g;
s{\bmSHAREDTextSubs::}{text::}g;
s{\bmSHAREDHtmHelp::helpFilePath\b}{help::pagePath}g;
s{\bmSHAREDHtmHelp::showhelp\(([^,()]+),\s*[^()]*(?:\([^()]*\))?[^()]*\)}{help::show($1)}g;
s{\bmSHAREDHtmHelp::showhelp\b}{help::show}g;

# ---- logging (was mSHAREDLogging) ------------------------------------------------------------
s{\bmSHAREDLogging::writelog\b}{logging::writeLine}g;
s{\bmSHAREDLogging::logerror\b}{logging::logError}g;
s{\bmSHAREDLogging::logdebug\b}{logging::logDebug}g;
s{\bmSHAREDLogging::listactions\b}{logging::writeRecentActions}g;
s{\bmSHAREDLogging::}{logging::}g;

# ---- the system's name (was mSHAREDOSINFO) ------------------------------------------------------
s{\bmSHAREDOSINFO::fosname\b}{osinfo::systemName}g;
s{\bmSHAREDOSINFO::}{osinfo::}g;

# ---- settings (were mSHAREDSettings, cSHAREDSettings, cSHAREDSetting) -------------------------
s{\bmSHAREDSettings::gSettings\(\)}{settings::store()}g;
s{\bmSHAREDSettings::LoadSettingsFile\b}{settings::loadFile}g;
s{\bmSHAREDSettings::SaveSettingsFile\b}{settings::saveFile}g;
s{\bmSHAREDSettings::ReadSetting\b}{settings::readSetting}g;
s{\bmSHAREDSettings::WriteSetting\b}{settings::writeSetting}g;
s{\bmSHAREDSettings::}{settings::}g;
# calls after "using mSHAREDSettings::ReadSetting;" (the names are the store's alone)
s{(?<![\w"])ReadSetting\(}{readSetting(}g;
s{(?<![\w"])WriteSetting\(}{writeSetting(}g;
s{\bgSettings\(\)}{settings::store()}g;
s{(\.|->)SettingsCount\(}{$1count(}g;
s{(\.|->)SettingNameByIndex\(}{$1keyAt(}g;
s{(\.|->)(?:sSet|StoreSetting)\(}{$1set(}g;
s{(\.|->)(?:sGet|RetrieveSetting)\(}{$1value(}g;
s{(\.|->)RetrieveWithDefault\(}{$1valueOr(}g;
s{(\.|->)DeleteAllSettings\(}{$1clear(}g;
s{(\.|->)DeleteSettingByName\(}{$1remove(}g;
s{(\.|->)DeleteSetting\(}{$1removeAt(}g;
s{(\.|->)LoadSettings\(}{$1load(}g;
s{(\.|->)SaveSettings\(}{$1save(}g;
s{(?<!module )(?<!")\bcSHAREDSettings\b(?!")}{SettingsStore}g;
s{(?<!module )(?<!")\bcSHAREDSetting\b(?!")}{SettingEntry}g;

# ---- the error report (was mSHAREDShowError) --------------------------------------------------
s{\bmSHAREDShowError::showerr\b}{showErrorReport}g;
