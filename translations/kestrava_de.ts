<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>kestrava::AboutPage</name>
    <message>
        <source>Written by Dunsmore</source>
        <translation>Geschrieben von Dunsmore</translation>
    </message>
    <message>
        <source>Conditions of Use :</source>
        <translation>Nutzungsbedingungen :</translation>
    </message>
    <message>
        <source>Kestrava is free: you may copy it and pass it on to others free of charge, as long as its accompanying ReadMe document goes with it.</source>
        <translation>Kestrava ist kostenlos: Sie dürfen es kopieren und kostenlos weitergeben, solange das zugehörige LiesMich-Dokument dabei ist.</translation>
    </message>
    <message>
        <source>You use Kestrava entirely at your own risk.</source>
        <translation>Sie benutzen Kestrava ganz auf eigene Gefahr.</translation>
    </message>
    <message>
        <source>The author accepts no liability for any damage or loss arising from the use or misuse of this program.</source>
        <translation>Der Autor haftet nicht für Schäden oder Verluste, die aus dem Gebrauch oder Missbrauch dieses Programms entstehen.</translation>
    </message>
    <message>
        <source>Please e-mail your feedback and suggestions to the address above: they are always welcome.</source>
        <translation>Bitte senden Sie Rückmeldungen und Vorschläge per E-Mail an die obige Adresse: Sie sind immer willkommen.</translation>
    </message>
    <message>
        <source>Many thanks to everyone who sent in comments and suggestions: this version owes a great deal to you.</source>
        <translation>Vielen Dank allen, die Kommentare und Vorschläge geschickt haben: Diese Version verdankt Ihnen viel.</translation>
    </message>
    <message>
        <source>Kestrava: many files, one format</source>
        <translation>Kestrava: viele Dateien, ein Format</translation>
    </message>
</context>
<context>
    <name>kestrava::ChooseFilesPage</name>
    <message>
        <source>(User Defined File Type)</source>
        <translation>(Eigener Dateityp)</translation>
    </message>
    <message>
        <source>Step 1 : Choose the Files to Rename ...</source>
        <translation>Schritt 1 : Wählen Sie die Dateien zum Umbenennen ...</translation>
    </message>
    <message>
        <source>Drive / Folder</source>
        <translation>Laufwerk / Ordner</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>Select a file type, or enter your own extension...</source>
        <translation>Wählen Sie einen Dateityp, oder geben Sie eine eigene Endung ein...</translation>
    </message>
    <message>
        <source>All File Types</source>
        <translation>Alle Dateitypen</translation>
    </message>
    <message>
        <source>Use the Shift and CTRL keys to select multi / individual files</source>
        <translation>Mit Umschalt und Strg wählen Sie mehrere / einzelne Dateien</translation>
    </message>
    <message>
        <source>Apply to Which Files..?</source>
        <translation>Auf welche Dateien anwenden..?</translation>
    </message>
    <message>
        <source>Selected Files in Current Folder</source>
        <translation>Ausgewählte Dateien im Ordner</translation>
    </message>
    <message>
        <source>All Files in Current Folder</source>
        <translation>Alle Dateien im Ordner</translation>
    </message>
    <message>
        <source>All Files including Sub-Folders</source>
        <translation>Alle Dateien mit Unterordnern</translation>
    </message>
    <message>
        <source>Confirm each Individual Filename ?</source>
        <translation>Jeden Dateinamen einzeln bestätigen ?</translation>
    </message>
    <message>
        <source>Ignore Read-Only Files ?</source>
        <translation>Schreibgeschützte Dateien auslassen ?</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files to rename</source>
        <translation>Umzubenennende Dateien</translation>
    </message>
    <message>
        <source>Chosen file type</source>
        <translation>Gewählter Dateityp</translation>
    </message>
</context>
<context>
    <name>kestrava::ErrorReporter</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
</context>
<context>
    <name>kestrava::FileTypeTable</name>
    <message>
        <source>All File Types</source>
        <translation>Alle Dateitypen</translation>
    </message>
    <message>
        <source>MP3 Music Files</source>
        <translation>MP3-Musikdateien</translation>
    </message>
    <message>
        <source>Word Documents</source>
        <translation>Word-Dokumente</translation>
    </message>
    <message>
        <source>Excel Spreadsheets</source>
        <translation>Excel-Tabellen</translation>
    </message>
    <message>
        <source>ASCII Text Files</source>
        <translation>ASCII-Textdateien</translation>
    </message>
    <message>
        <source>WEB Pages</source>
        <translation>Webseiten</translation>
    </message>
    <message>
        <source>GIF Images</source>
        <translation>GIF-Bilder</translation>
    </message>
    <message>
        <source>JPEG Images</source>
        <translation>JPEG-Bilder</translation>
    </message>
    <message>
        <source>Bitmap Images</source>
        <translation>Bitmap-Bilder</translation>
    </message>
    <message>
        <source>WAV Audio Files</source>
        <translation>WAV-Audiodateien</translation>
    </message>
    <message>
        <source>MPEG Video Clips</source>
        <translation>MPEG-Videoclips</translation>
    </message>
</context>
<context>
    <name>kestrava::GoPage</name>
    <message>
        <source>Step 4 : Press Start if you are happy to proceed ...</source>
        <translation>Schritt 4 : Klicken Sie auf Starten, wenn alles stimmt ...</translation>
    </message>
    <message>
        <source>Files Modified</source>
        <translation>Geänderte Dateien</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Note : You have not selected any files to Rename !</source>
        <translation>Hinweis : Keine Dateien zum Umbenennen ausgewählt !</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>CURRENT FOLDER :</source>
        <translation>ORDNER :</translation>
    </message>
    <message>
        <source>CURRENT FILE :</source>
        <translation>DATEI :</translation>
    </message>
    <message>
        <source>NO. RENAMED :</source>
        <translation>UMBENANNT :</translation>
    </message>
    <message>
        <source>STATUS :</source>
        <translation>ZUSTAND :</translation>
    </message>
    <message>
        <source>Files Modified
</source>
        <translation>Geänderte Dateien
</translation>
    </message>
    <message>
        <source>&amp;Undo Last Run</source>
        <translation>Letzten Lauf &amp;zurücknehmen</translation>
    </message>
    <message>
        <source>Progress of the run</source>
        <translation>Fortschritt des Laufs</translation>
    </message>
</context>
<context>
    <name>kestrava::GoProgress</name>
    <message>
        <source>Errors : </source>
        <translation>Fehler : </translation>
    </message>
</context>
<context>
    <name>kestrava::HelpPage</name>
    <message>
        <source>What is Kestrava ?</source>
        <translation>Was ist Kestrava ?</translation>
    </message>
    <message>
        <source>Kestrava provides a quick and easy way to re-name large numbers of files so their Filenames are in a Common Format.   Kestrava&apos;s interface is designed to provide some of the most common file renaming operations with maximum ease and a minumum of fuss.</source>
        <translation>Kestrava benennt viele Dateien schnell und einfach um, sodass ihre Namen einem gemeinsamen Format folgen.   Die Oberfläche von Kestrava macht die häufigsten Umbenennungen so einfach und unkompliziert wie möglich.</translation>
    </message>
    <message>
        <source>With Kestrava you can ...</source>
        <translation>Mit Kestrava können Sie ...</translation>
    </message>
    <message>
        <source>  - trim filenames to a specific length</source>
        <translation>  - Dateinamen auf eine bestimmte Länge kürzen</translation>
    </message>
    <message>
        <source>  - convert filenames to lower, UPPER, or Sentence Case</source>
        <translation>  - Dateinamen in klein, GROSS oder Satzschreibung setzen</translation>
    </message>
    <message>
        <source>  - find and replace specific text in filenames</source>
        <translation>  - bestimmten Text in Dateinamen suchen und ersetzen</translation>
    </message>
    <message>
        <source>  - remove or convert spaces and underscores in filenames</source>
        <translation>  - Leerzeichen und Unterstriche entfernen oder umwandeln</translation>
    </message>
    <message>
        <source>  - prefix filenames with some fixed text, an incremental counter, or the Date</source>
        <translation>  - Dateinamen einen festen Text, einen Zähler oder das Datum voranstellen</translation>
    </message>
    <message>
        <source>  - remove annoying Tilda ( ~ ) characters in files copied from DOS</source>
        <translation>  - lästige Tilden ( ~ ) in von DOS kopierten Dateien entfernen</translation>
    </message>
    <message>
        <source>How to Use Kestrava</source>
        <translation>So verwenden Sie Kestrava</translation>
    </message>
    <message>
        <source>Select the Choose Files tab to locate the files you wish to rename. Select files individually by clicking on them, using CTRL and SHIFT keys for multi-select, or choose ALL the files in the Selected Folder, and optionally in all Sub-Folders.</source>
        <translation>Auf der Registerkarte Dateien wählen suchen Sie die Dateien zum Umbenennen aus: einzeln per Klick, mehrere mit Strg und Umschalt, oder ALLE Dateien im gewählten Ordner und auf Wunsch in allen Unterordnern.</translation>
    </message>
    <message>
        <source>Select the Set Options tab and select the options to rename the files as you wish. Preview samples are generated to give an indication of what the end results will look like.</source>
        <translation>Auf der Registerkarte Optionen legen Sie fest, wie die Dateien umbenannt werden. Beispiele zeigen dabei, wie das Ergebnis aussehen wird.</translation>
    </message>
    <message>
        <source>Select the Preview Results tab to see the settings applied to a sample of the actual files you selected in the first step.</source>
        <translation>Die Registerkarte Vorschau zeigt die Einstellungen angewandt auf die Dateien, die Sie im ersten Schritt gewählt haben.</translation>
    </message>
    <message>
        <source>If you are happy, click the  Go !  tab and then start.  That&apos;s all there is to it !</source>
        <translation>Stimmt alles, klicken Sie auf  Los !  und dann auf Starten.  Mehr ist nicht zu tun !</translation>
    </message>
</context>
<context>
    <name>kestrava::KestravaForm</name>
    <message>
        <source>Kestrava  -  Quorvel  -  V1.3  |  by Dunsmore</source>
        <translation>Kestrava  -  Quorvel  -  V1.3  |  von Dunsmore</translation>
    </message>
    <message>
        <source>&amp;Choose Files...</source>
        <translation>&amp;Dateien wählen...</translation>
    </message>
    <message>
        <source>&amp;Set Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>&amp;Preview Results...</source>
        <translation>&amp;Vorschau...</translation>
    </message>
    <message>
        <source>&amp;Go !</source>
        <translation>&amp;Los !</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Blank, shows Help</source>
        <translation>Leer, zeigt die Hilfe</translation>
    </message>
</context>
<context>
    <name>kestrava::MoreOptionsDialog</name>
    <message>
        <source>More Options</source>
        <translation>Weitere Optionen</translation>
    </message>
    <message>
        <source>Numbering</source>
        <translation>Nummerierung</translation>
    </message>
    <message>
        <source>Number by</source>
        <translation>Nummerieren nach</translation>
    </message>
    <message>
        <source>The order in which the files of each folder are numbered, previewed and renamed</source>
        <translation>Die Reihenfolge, in der die Dateien jedes Ordners nummeriert, angezeigt und umbenannt werden</translation>
    </message>
    <message>
        <source>Reverse the order</source>
        <translation>Reihenfolge umkehren</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>What each counter adds for the next file, 1 to 999</source>
        <translation>Was jeder Zähler für die nächste Datei addiert, 1 bis 999</translation>
    </message>
    <message>
        <source>Digits</source>
        <translation>Stellen</translation>
    </message>
    <message>
        <source>How many digits a counter shows, 1 to 9; a file whose counter needs more is not renamed</source>
        <translation>Wie viele Stellen ein Zähler zeigt, 1 bis 9; eine Datei, deren Zähler mehr braucht, wird nicht umbenannt</translation>
    </message>
    <message>
        <source>Start again in each folder</source>
        <translation>In jedem Ordner neu beginnen</translation>
    </message>
    <message>
        <source>With &quot;All Files including Sub-Folders&quot;, both counters go back to their start in each folder</source>
        <translation>Mit &quot;Alle Dateien mit Unterordnern&quot; beginnen beide Zähler in jedem Ordner wieder bei ihrem Startwert</translation>
    </message>
    <message>
        <source>Preview Samples</source>
        <translation>Beispiele</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Sample name</source>
        <translation>Beispielname</translation>
    </message>
    <message>
        <source>Sample name with the options applied</source>
        <translation>Beispielname mit den angewandten Optionen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Name, with numbers by value</source>
        <translation>Dateiname, Zahlen nach Wert</translation>
    </message>
    <message>
        <source>Date modified</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Choosing a preset sets every option; a &quot;*&quot; after its name marks changes not saved</source>
        <translation>Eine Vorlage setzt alle Optionen; ein „*“ nach ihrem Namen zeigt ungesicherte Änderungen</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Saves every option under a name of your choice</source>
        <translation>Speichert alle Optionen unter einem Namen Ihrer Wahl</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Deletes the chosen preset</source>
        <translation>Löscht die gewählte Vorlage</translation>
    </message>
    <message>
        <source>Start with these options next time</source>
        <translation>Beim nächsten Start mit diesen Optionen beginnen</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Date from</source>
        <translation>Datum aus</translation>
    </message>
    <message>
        <source>Where both date stamps take their date from</source>
        <translation>Woher beide Datumsstempel ihr Datum nehmen</translation>
    </message>
    <message>
        <source>Use the modified date when a file has none</source>
        <translation>Das Änderungsdatum nehmen, wenn eine Datei keines hat</translation>
    </message>
    <message>
        <source>Without it, a file with no date taken is left as it is</source>
        <translation>Ohne dies bleibt eine Datei ohne Aufnahmedatum, wie sie ist</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Namensmuster</translation>
    </message>
    <message>
        <source>Make the name from a template</source>
        <translation>Den Namen aus einem Muster bilden</translation>
    </message>
    <message>
        <source>Fields in braces: {name} {ext} {folder} {counter} {modified:yyyy-mm-dd} {taken:yyyy-mm-dd} {camera} {width} {height} {artist} {album} {title} {track:2} {year} {genre}</source>
        <translation>Felder in geschweiften Klammern: {name} {ext} {folder} {counter} {modified:yyyy-mm-dd} {taken:yyyy-mm-dd} {camera} {width} {height} {artist} {album} {title} {track:2} {year} {genre}</translation>
    </message>
    <message>
        <source>Date taken</source>
        <translation>Aufnahmedatum</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>File modified</source>
        <translation>Datei geändert</translation>
    </message>
    <message>
        <source>Photo or video taken</source>
        <translation>Foto oder Video aufgenommen</translation>
    </message>
    <message>
        <source>Name template</source>
        <translation>Namensmuster</translation>
    </message>
    <message>
        <source>Find and replace</source>
        <translation>Suchen und Ersetzen</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>The find text is a Perl-compatible regular expression; the replacement may use $1, ${name}, $$, \U, \L, \E, \u and \l</source>
        <translation>Der Suchtext ist ein Perl-kompatibler regulärer Ausdruck; der Ersatz darf $1, ${name}, $$, \U, \L, \E, \u und \l verwenden</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Letter case counts in the find text</source>
        <translation>Beim Suchtext zählt die Groß- und Kleinschreibung</translation>
    </message>
    <message>
        <source>When a new name is taken</source>
        <translation>Ist ein neuer Name vergeben</translation>
    </message>
    <message>
        <source>What becomes of a file whose new name another file holds</source>
        <translation>Was mit einer Datei geschieht, deren neuen Namen eine andere Datei trägt</translation>
    </message>
    <message>
        <source>Leave the file as it is</source>
        <translation>Die Datei so lassen</translation>
    </message>
    <message>
        <source>Add a number: name (2).ext</source>
        <translation>Eine Nummer anfügen: Name (2).ext</translation>
    </message>
</context>
<context>
    <name>kestrava::OptionsPage</name>
    <message>
        <source>Edit this Number to change the Counter Start</source>
        <translation>Mit dieser Zahl beginnt der Zähler</translation>
    </message>
    <message>
        <source>Step 2 : Choose the Options to apply to the Filename(s) ...</source>
        <translation>Schritt 2 : Wählen Sie die Optionen für die Dateinamen ...</translation>
    </message>
    <message>
        <source>Spaces</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Beibehalten</translation>
    </message>
    <message>
        <source>Remove Spaces</source>
        <translation>Leerzeichen entfernen</translation>
    </message>
    <message>
        <source>Convert to Underscores</source>
        <translation>Durch Unterstriche</translation>
    </message>
    <message>
        <source>Convert to Dashes</source>
        <translation>Durch Bindestriche</translation>
    </message>
    <message>
        <source>Convert to Dots</source>
        <translation>Durch Punkte</translation>
    </message>
    <message>
        <source>Underscores</source>
        <translation>Unterstriche</translation>
    </message>
    <message>
        <source>Remove Underscores</source>
        <translation>Unterstriche entfernen</translation>
    </message>
    <message>
        <source>Convert to Spaces</source>
        <translation>Durch Leerzeichen</translation>
    </message>
    <message>
        <source>Prefixes / Postfixes</source>
        <translation>Präfix / Suffix</translation>
    </message>
    <message>
        <source>Prefix Filenames with this Text ...</source>
        <translation>Diesen Text voranstellen ...</translation>
    </message>
    <message>
        <source>Include a Counter ...</source>
        <translation>Mit Zähler ...</translation>
    </message>
    <message>
        <source>Include Date as ...</source>
        <translation>Mit Datum als ...</translation>
    </message>
    <message>
        <source>Postfix Filenames with this Text ...</source>
        <translation>Diesen Text anhängen ...</translation>
    </message>
    <message>
        <source>Upper / lower case</source>
        <translation>Groß- / Kleinschreibung</translation>
    </message>
    <message>
        <source>Capitalise First Letters</source>
        <translation>Anfangsbuchstaben groß</translation>
    </message>
    <message>
        <source>convert to lowercase</source>
        <translation>in kleinbuchstaben</translation>
    </message>
    <message>
        <source>convert to UPPERCASE</source>
        <translation>in GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>Find / Replace Text</source>
        <translation>Suchen / Ersetzen</translation>
    </message>
    <message>
        <source>Replace this ...</source>
        <translation>Diesen Text ...</translation>
    </message>
    <message>
        <source>Enter text to find in Filename...</source>
        <translation>Geben Sie den Text ein, der im Dateinamen gesucht wird...</translation>
    </message>
    <message>
        <source>With this ...</source>
        <translation>Ersetzen durch ...</translation>
    </message>
    <message>
        <source>Replace with this text (or leave blank to remove the found text...)</source>
        <translation>Durch diesen Text ersetzen (oder leer lassen, um den gefundenen Text zu entfernen...)</translation>
    </message>
    <message>
        <source>Length / Trim</source>
        <translation>Länge / Kürzen</translation>
    </message>
    <message>
        <source>Trim Filenames to</source>
        <translation>Namen kürzen auf</translation>
    </message>
    <message>
        <source>Characters (+ Extension)</source>
        <translation>Zeichen (+ Endung)</translation>
    </message>
    <message>
        <source>Tilda ( ~ ) Character</source>
        <translation>Tilde-Zeichen ( ~ )</translation>
    </message>
    <message>
        <source>Remove Tildas ( ~ ) in Filenames ?</source>
        <translation>Tilden ( ~ ) aus Namen entfernen ?</translation>
    </message>
    <message>
        <source>Removes Tilda (~) characters for files shortened or copied from DOS</source>
        <translation>Entfernt Tilden (~) aus Namen von Dateien, die unter DOS gekürzt oder von dort kopiert wurden</translation>
    </message>
    <message>
        <source>Preview Samples</source>
        <translation>Beispiele</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Click to Restore Default Settings</source>
        <translation>Klicken Sie hier, um die Standardeinstellungen wiederherzustellen</translation>
    </message>
    <message>
        <source>&amp;More Options...</source>
        <translation>&amp;Weitere Optionen...</translation>
    </message>
    <message>
        <source>Rules that do not fit here, such as the order of the numbering</source>
        <translation>Regeln, die hier keinen Platz haben, etwa die Reihenfolge der Nummerierung</translation>
    </message>
    <message>
        <source>Include a counter in the prefix</source>
        <translation>Zähler im Präfix</translation>
    </message>
    <message>
        <source>Include the date in the prefix</source>
        <translation>Datum im Präfix</translation>
    </message>
    <message>
        <source>Include a counter in the postfix</source>
        <translation>Zähler im Suffix</translation>
    </message>
    <message>
        <source>Include the date in the postfix</source>
        <translation>Datum im Suffix</translation>
    </message>
    <message>
        <source>Template: %1</source>
        <translation>Namensmuster: %1</translation>
    </message>
</context>
<context>
    <name>kestrava::Pictures</name>
    <message>
        <source>many files, one format</source>
        <translation>viele Dateien, ein Format</translation>
    </message>
</context>
<context>
    <name>kestrava::PresetController</name>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Some options of the preset &quot;%1&quot; could not be taken as they stand; they are left at their defaults or corrected:
%2</source>
        <translation>Einige Optionen der Vorlage „%1“ ließen sich nicht so übernehmen; sie bleiben beim Standard oder sind berichtigt:
%2</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>Vorlage speichern</translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation>Name der Vorlage:</translation>
    </message>
    <message>
        <source>A preset named &quot;%1&quot; exists already. Replace it?</source>
        <translation>Eine Vorlage namens „%1“ gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Vorlage löschen</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Die Vorlage „%1“ löschen?</translation>
    </message>
</context>
<context>
    <name>kestrava::Presets</name>
    <message>
        <source>longer than %1 characters; cut to %1</source>
        <translation>länger als %1 Zeichen; auf %1 gekürzt</translation>
    </message>
    <message>
        <source>%1 is not one of %2; left at &quot;%3&quot;</source>
        <translation>%1 ist keiner von %2; bleibt bei &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1 is not a date format; taken as &quot;%2&quot;</source>
        <translation>%1 ist kein Datumsformat; als &quot;%2&quot; genommen</translation>
    </message>
    <message>
        <source>%1 is not a whole number; left at %2</source>
        <translation>%1 ist keine ganze Zahl; bleibt bei %2</translation>
    </message>
    <message>
        <source>%1 is not %2 to %3; taken as %4</source>
        <translation>%1 liegt nicht zwischen %2 und %3; als %4 genommen</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>eine Zahl</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>ein Text</translation>
    </message>
    <message>
        <source>The file is empty; every option is left at its default.</source>
        <translation>Die Datei ist leer; alle Optionen bleiben beim Standard.</translation>
    </message>
    <message>
        <source>The file is not a JSON object (%1 at byte %2); every option is left at its default.</source>
        <translation>Die Datei ist kein JSON-Objekt (%1 bei Byte %2); alle Optionen bleiben beim Standard.</translation>
    </message>
    <message>
        <source>%1 is not a format this version reads (%2); the options it knows are read</source>
        <translation>%1 ist kein Format, das diese Version liest (%2); die bekannten Optionen werden gelesen</translation>
    </message>
    <message>
        <source>%1 is not %2; left at %3</source>
        <translation>%1 ist nicht %2; bleibt bei %3</translation>
    </message>
    <message>
        <source>not an option Kestrava knows; ignored</source>
        <translation>keine Option, die Kestrava kennt; übergangen</translation>
    </message>
    <message>
        <source>%1; left empty</source>
        <translation>%1; bleibt leer</translation>
    </message>
    <message>
        <source>A preset needs a name.</source>
        <translation>Eine Vorlage braucht einen Namen.</translation>
    </message>
    <message>
        <source>A preset name cannot hold &quot;/&quot;.</source>
        <translation>Ein Vorlagenname darf kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>A preset name cannot hold control characters.</source>
        <translation>Ein Vorlagenname darf keine Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a file name here.</source>
        <translation>„%1“ kann hier kein Dateiname sein.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is too long for a file name.</source>
        <translation>Der Name „%1“ ist für einen Dateinamen zu lang.</translation>
    </message>
    <message>
        <source>There is no such preset; every option is left at its default.</source>
        <translation>Diese Vorlage gibt es nicht; alle Optionen bleiben beim Standard.</translation>
    </message>
    <message>
        <source>The preset is a link, which is not followed; every option is left at its default.</source>
        <translation>Die Vorlage ist eine Verknüpfung, der nicht gefolgt wird; alle Optionen bleiben beim Standard.</translation>
    </message>
    <message>
        <source>The preset is not a file of options; every option is left at its default.</source>
        <translation>Die Vorlage ist keine Optionsdatei; alle Optionen bleiben beim Standard.</translation>
    </message>
    <message>
        <source>The preset cannot be read; every option is left at its default.</source>
        <translation>Die Vorlage kann nicht gelesen werden; alle Optionen bleiben beim Standard.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 is not a plain file and is left as it is.</source>
        <translation>%1 ist keine einfache Datei und bleibt, wie sie ist.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be removed.</source>
        <translation>%1 kann nicht entfernt werden.</translation>
    </message>
</context>
<context>
    <name>kestrava::PreviewPage</name>
    <message>
        <source>Step 3 : Preview the File(s) Selected ...</source>
        <translation>Schritt 3 : Vorschau der gewählten Datei(en) ...</translation>
    </message>
    <message>
        <source>Before ...</source>
        <translation>Vorher ...</translation>
    </message>
    <message>
        <source>After ...</source>
        <translation>Nachher ...</translation>
    </message>
    <message>
        <source>Files to rename</source>
        <translation>Umzubenennende Dateien</translation>
    </message>
    <message>
        <source>New names</source>
        <translation>Neue Namen</translation>
    </message>
    <message>
        <source>Looking through the sub-folders ...</source>
        <translation>Unterordner werden durchsucht ...</translation>
    </message>
    <message>
        <source>; %1 folders cannot be read</source>
        <translation>; %1 Ordner können nicht gelesen werden</translation>
    </message>
    <message>
        <source>&amp;Details...</source>
        <translation>De&amp;tails ...</translation>
    </message>
    <message>
        <source>Files that will not be renamed</source>
        <translation>Dateien, die nicht umbenannt werden</translation>
    </message>
    <message>
        <source>Looking through the folder ...</source>
        <translation>Ordner wird durchsucht ...</translation>
    </message>
    <message>
        <source>Reading the files ...</source>
        <translation>Die Dateien werden gelesen ...</translation>
    </message>
</context>
<context>
    <name>kestrava::PreviewProblemsDialog</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Old name</source>
        <translation>Alter Name</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Files that will not be renamed</source>
        <translation>Dateien, die nicht umbenannt werden</translation>
    </message>
    <message>
        <source>Part of a folder, a name or a reason</source>
        <translation>Teil eines Ordners, Namens oder Grundes</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtern</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filtern:</translation>
    </message>
    <message>
        <source>Show &amp;unchanged files</source>
        <translation>&amp;Unveränderte Dateien zeigen</translation>
    </message>
    <message>
        <source>no new name</source>
        <translation>kein neuer Name</translation>
    </message>
</context>
<context>
    <name>kestrava::RenameError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>Pattern error at %1: %2</source>
        <translation>Fehler im Muster an Stelle %1: %2</translation>
    </message>
    <message>
        <source>No file is renamed: %1</source>
        <translation>Keine Datei wird umbenannt: %1</translation>
    </message>
</context>
<context>
    <name>kestrava::RenameRun</name>
    <message>
        <source>Not a usable file name</source>
        <translation>Kein gültiger Dateiname</translation>
    </message>
    <message>
        <source>  whilst processing file </source>
        <translation>  beim Bearbeiten der Datei </translation>
    </message>
    <message>
        <source>WORKING ...</source>
        <translation>IN ARBEIT ...</translation>
    </message>
    <message>
        <source>INTERRUPTED BY USER</source>
        <translation>ABGEBROCHEN</translation>
    </message>
    <message>
        <source>COMPLETED</source>
        <translation>ABGESCHLOSSEN</translation>
    </message>
    <message>
        <source>Confirm Rename</source>
        <translation>Umbenennen bestätigen</translation>
    </message>
    <message>
        <source> No Files were Renamed</source>
        <translation> Keine Dateien umbenannt</translation>
    </message>
    <message>
        <source> A total of </source>
        <translation> Insgesamt </translation>
    </message>
    <message>
        <source> files were renamed</source>
        <translation> Dateien umbenannt</translation>
    </message>
    <message>
        <source> taking</source>
        <translation> in</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> Minuten</translation>
    </message>
    <message>
        <source> seconds.</source>
        <translation> Sekunden.</translation>
    </message>
    <message>
        <source>Rename this File ?</source>
        <translation>Diese Datei umbenennen ?</translation>
    </message>
    <message>
        <source>OLD : </source>
        <translation>ALT : </translation>
    </message>
    <message>
        <source>NEW : </source>
        <translation>NEU : </translation>
    </message>
    <message>
        <source>; the file is left as %1, as its old name %2 cannot be given back: %3</source>
        <translation>; die Datei bleibt %1, da ihr alter Name %2 nicht zurückgegeben werden kann: %3</translation>
    </message>
</context>
<context>
    <name>kestrava::RulesNameSource</name>
    <message>
        <source>Changed since the preview; its new name is now %1</source>
        <translation>Seit der Vorschau geändert; ihr neuer Name ist jetzt %1</translation>
    </message>
    <message>
        <source>The name template cannot be used: %1</source>
        <translation>Das Namensmuster ist nicht verwendbar: %1</translation>
    </message>
</context>
<context>
    <name>kestrava::RunController</name>
    <message>
        <source>Undo Last Run</source>
        <translation>Letzten Lauf zurücknehmen</translation>
    </message>
</context>
<context>
    <name>kestrava::RunJournal</name>
    <message>
        <source>This run cannot be undone: </source>
        <translation>Dieser Lauf kann nicht zurückgenommen werden: </translation>
    </message>
</context>
<context>
    <name>kestrava::RunProgressBar</name>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>%1 % — about %2 left</source>
        <translation>%1 % — noch etwa %2</translation>
    </message>
    <message>
        <source>%1 of %2 folders</source>
        <translation>%1 von %2 Ordnern</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
</context>
<context>
    <name>kestrava::RunSimulation</name>
    <message>
        <source>%1 name cannot be computed</source>
        <translation>%1 Name nicht berechenbar</translation>
    </message>
    <message>
        <source>%1 names cannot be computed</source>
        <translation>%1 Namen nicht berechenbar</translation>
    </message>
    <message>
        <source>%1 unusable name</source>
        <translation>%1 unbrauchbarer Name</translation>
    </message>
    <message>
        <source>%1 unusable names</source>
        <translation>%1 unbrauchbare Namen</translation>
    </message>
    <message>
        <source>%1 name too long</source>
        <translation>%1 Name zu lang</translation>
    </message>
    <message>
        <source>%1 names too long</source>
        <translation>%1 Namen zu lang</translation>
    </message>
    <message>
        <source>%1 name taken</source>
        <translation>%1 Name vergeben</translation>
    </message>
    <message>
        <source>%1 names taken</source>
        <translation>%1 Namen vergeben</translation>
    </message>
    <message>
        <source>%1 name taken by an earlier file</source>
        <translation>%1 Name von einer früheren Datei belegt</translation>
    </message>
    <message>
        <source>%1 names taken by earlier files</source>
        <translation>%1 Namen von früheren Dateien belegt</translation>
    </message>
    <message>
        <source>%1 read-only file skipped</source>
        <translation>%1 schreibgeschützte Datei übersprungen</translation>
    </message>
    <message>
        <source>%1 read-only files skipped</source>
        <translation>%1 schreibgeschützte Dateien übersprungen</translation>
    </message>
    <message>
        <source>%1 unchanged</source>
        <translation>%1 unverändert</translation>
    </message>
    <message>
        <source>No files to rename</source>
        <translation>Keine Dateien umzubenennen</translation>
    </message>
    <message>
        <source>The %1 file will be renamed</source>
        <translation>Die %1 Datei wird umbenannt</translation>
    </message>
    <message>
        <source>All %1 files will be renamed</source>
        <translation>Alle %1 Dateien werden umbenannt</translation>
    </message>
    <message>
        <source>%1 of %2 file will not be renamed (%3)</source>
        <translation>%1 von %2 Datei wird nicht umbenannt (%3)</translation>
    </message>
    <message>
        <source>%1 of %2 files will not be renamed (%3)</source>
        <translation>%1 von %2 Dateien werden nicht umbenannt (%3)</translation>
    </message>
    <message>
        <source>No files to rename in this folder and its sub-folders</source>
        <translation>Keine Dateien umzubenennen in diesem Ordner und seinen Unterordnern</translation>
    </message>
    <message>
        <source>The %1 file in this folder and its sub-folders will be renamed</source>
        <translation>Die %1 Datei in diesem Ordner und seinen Unterordnern wird umbenannt</translation>
    </message>
    <message>
        <source>All %1 files in this folder and its sub-folders will be renamed</source>
        <translation>Alle %1 Dateien in diesem Ordner und seinen Unterordnern werden umbenannt</translation>
    </message>
    <message>
        <source>%1 of %2 file in this folder and its sub-folders will not be renamed (%3)</source>
        <translation>%1 von %2 Datei in diesem Ordner und seinen Unterordnern wird nicht umbenannt (%3)</translation>
    </message>
    <message>
        <source>%1 of %2 files in this folder and its sub-folders will not be renamed (%3)</source>
        <translation>%1 von %2 Dateien in diesem Ordner und seinen Unterordnern werden nicht umbenannt (%3)</translation>
    </message>
    <message>
        <source>; %1 will become hidden</source>
        <translation>; %1 werden versteckt</translation>
    </message>
    <message>
        <source>The counter is past %1, so the new name cannot be computed</source>
        <translation>Der Zähler ist über %1, daher kann der neue Name nicht berechnet werden</translation>
    </message>
    <message>
        <source>The new name cannot be computed: %1</source>
        <translation>Der neue Name kann nicht berechnet werden: %1</translation>
    </message>
    <message>
        <source>The new name cannot be computed</source>
        <translation>Der neue Name kann nicht berechnet werden</translation>
    </message>
    <message>
        <source>The new name is not a usable file name</source>
        <translation>Der neue Name ist kein brauchbarer Dateiname</translation>
    </message>
    <message>
        <source>%1: an earlier file takes this name first</source>
        <translation>%1: eine frühere Datei erhält diesen Namen zuerst</translation>
    </message>
    <message>
        <source>Read-only, and read-only files are ignored</source>
        <translation>Schreibgeschützt, und schreibgeschützte Dateien werden ausgelassen</translation>
    </message>
    <message>
        <source>The new name is the same as the old one</source>
        <translation>Der neue Name ist derselbe wie der alte</translation>
    </message>
    <message>
        <source>The new name starts with a dot: the file will be hidden</source>
        <translation>Der neue Name beginnt mit einem Punkt: die Datei wird versteckt</translation>
    </message>
    <message>
        <source>no date taken</source>
        <translation>kein Aufnahmedatum</translation>
    </message>
    <message>
        <source>no date modified</source>
        <translation>kein Änderungsdatum</translation>
    </message>
    <message>
        <source>no %1</source>
        <translation>kein %1</translation>
    </message>
    <message>
        <source>The name template cannot be used: %1</source>
        <translation>Das Namensmuster ist nicht verwendbar: %1</translation>
    </message>
</context>
<context>
    <name>kestrava::UndoRun</name>
    <message>
        <source>Rename the %1 files of the run of %2 back to their old names?</source>
        <translation>Sollen die %1 Dateien des Laufs vom %2 wieder ihre alten Namen erhalten?</translation>
    </message>
    <message>
        <source>UNDONE</source>
        <translation>ZURÜCKGENOMMEN</translation>
    </message>
    <message>
        <source>A damaged record at byte %1 was skipped</source>
        <translation>Ein beschädigter Eintrag bei Byte %1 wurde übersprungen</translation>
    </message>
    <message>
        <source>The journal lost the folder of this file</source>
        <translation>Im Protokoll fehlt der Ordner dieser Datei</translation>
    </message>
    <message>
        <source>Replaced by another file</source>
        <translation>Durch eine andere Datei ersetzt</translation>
    </message>
    <message>
        <source> No Files were Restored</source>
        <translation> Keine Dateien wiederhergestellt</translation>
    </message>
    <message>
        <source> A total of  %1 files were restored</source>
        <translation> Insgesamt  %1 Dateien wiederhergestellt</translation>
    </message>
    <message>
        <source>; the file is left as %1, as its old name %2 cannot be given back</source>
        <translation>; die Datei bleibt %1, da ihr alter Name %2 nicht zurückgegeben werden kann</translation>
    </message>
    <message>
        <source>Rename the %1 files of the run of %2 with the preset &quot;%3&quot; back to their old names?</source>
        <translation>Die %1 Dateien des Laufs vom %2 mit der Vorlage „%3“ wieder in ihre alten Namen umbenennen?</translation>
    </message>
    <message>
        <source>The file system this file was renamed on is not mounted here</source>
        <translation>Das Dateisystem, auf dem diese Datei umbenannt wurde, ist hier nicht eingehängt</translation>
    </message>
    <message>
        <source>Undo journals are not read from a folder that others may change</source>
        <translation>Rücknahme-Protokolle werden nicht aus einem Ordner gelesen, den andere ändern dürfen</translation>
    </message>
    <message>
        <source>Not read as an undo journal: it is not a private file of yours</source>
        <translation>Nicht als Rücknahme-Protokoll gelesen: Es ist keine private Datei von Ihnen</translation>
    </message>
    <message>
        <source>This run is in use by another process; nothing was undone</source>
        <translation>Dieser Lauf wird von einem anderen Prozess benutzt; nichts wurde zurückgenommen</translation>
    </message>
    <message>
        <source>This run is in use by process %1 (%2); nothing was undone</source>
        <translation>Dieser Lauf wird von Prozess %1 (%2) benutzt; nichts wurde zurückgenommen</translation>
    </message>
    <message>
        <source>This run cannot be undone: </source>
        <translation>Dieser Lauf kann nicht zurückgenommen werden: </translation>
    </message>
    <message>
        <source>This run is no longer the one to undo; nothing was undone</source>
        <translation>Dieser Lauf ist nicht mehr der zurückzunehmende; nichts wurde zurückgenommen</translation>
    </message>
    <message>
        <source>A damaged journal is skipped: its length is impossible</source>
        <translation>Ein beschädigtes Protokoll wird übersprungen: Seine Länge ist unmöglich</translation>
    </message>
    <message>
        <source>Old name %1 is taken</source>
        <translation>Der alte Name %1 ist vergeben</translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>Ordner: %1</translation>
    </message>
    <message>
        <source>Folders: %1 and %2 more</source>
        <translation>Ordner: %1 und %2 weitere</translation>
    </message>
    <message>
        <source>Scope: selected files</source>
        <translation>Umfang: ausgewählte Dateien</translation>
    </message>
    <message>
        <source>Scope: all files in the folder</source>
        <translation>Umfang: alle Dateien im Ordner</translation>
    </message>
    <message>
        <source>Scope: all files including sub-folders</source>
        <translation>Umfang: alle Dateien samt Unterordnern</translation>
    </message>
    <message>
        <source>This is not the folder shown in the window.</source>
        <translation>Das ist nicht der Ordner, den das Fenster zeigt.</translation>
    </message>
</context>
</TS>
