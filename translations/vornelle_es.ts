<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>CoreTexts</name>
    <message>
        <source>No Message on File for This .db: </source>
        <translation>No hay ningún mensaje para este día en el .db: </translation>
    </message>
    <message>
        <source>No Message Files Exists! Please check your installation.</source>
        <translation>¡No hay archivos de mensajes! Compruebe su instalación.</translation>
    </message>
    <message>
        <source>Not a Theme of This Folder, Left Out: </source>
        <translation>No es un tema de esta carpeta, se omite: </translation>
    </message>
    <message>
        <source>Theme File Not Found, Left Out: </source>
        <translation>No se encontró el archivo del tema, se omite: </translation>
    </message>
    <message>
        <source>The day must be MMDD (0101 to 1231) or 9999 for the description</source>
        <translation>El día debe ser MMDD (0101 a 1231) o 9999 para la descripción</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>No se puede escribir en </translation>
    </message>
    <message>
        <source>Cannot copy the sample </source>
        <translation>No se puede copiar el ejemplo </translation>
    </message>
    <message>
        <source>Cannot create </source>
        <translation>No se puede crear </translation>
    </message>
    <message>
        <source>Cannot create the folder </source>
        <translation>No se puede crear la carpeta </translation>
    </message>
    <message>
        <source>Cannot use the folder </source>
        <translation>No se puede usar la carpeta </translation>
    </message>
    <message>
        <source>Cannot remove </source>
        <translation>No se puede eliminar </translation>
    </message>
    <message>
        <source>Cannot write </source>
        <translation>No se puede escribir </translation>
    </message>
    <message>
        <source>No home folder is known for the user&apos;s themes</source>
        <translation>No se conoce ninguna carpeta personal para los temas del usuario</translation>
    </message>
    <message>
        <source>Lock failed [Insert]</source>
        <translation>Error al bloquear [Insertar]</translation>
    </message>
    <message>
        <source>Lock failed [Delete]</source>
        <translation>Error al bloquear [Eliminar]</translation>
    </message>
    <message>
        <source>Lock failed [Post]</source>
        <translation>Error al bloquear [Guardar]</translation>
    </message>
    <message>
        <source>Lock failed [Restore]</source>
        <translation>Error al bloquear [Restaurar]</translation>
    </message>
    <message>
        <source>Could not create &quot;</source>
        <translation>No se pudo crear &quot;</translation>
    </message>
    <message>
        <source>Program halted.</source>
        <translation>Programa detenido.</translation>
    </message>
    <message>
        <source>Start at Login cannot write a name that is not UTF-8 text into a desktop entry: </source>
        <translation>«Iniciar al entrar en la sesión» no puede escribir un nombre que no es texto UTF-8 en una entrada de escritorio: </translation>
    </message>
    <message>
        <source>No year has such a day (MMDD): </source>
        <translation>Ningún año tiene ese día (MMDD): </translation>
    </message>
    <message>
        <source>Tools &gt; Edit This Day... shows the whole message. Lines not shown: </source>
        <translation>Herramientas &gt; Editar este día... muestra el mensaje completo. Líneas no mostradas: </translation>
    </message>
    <message>
        <source>No message for this day in </source>
        <translation>No hay mensaje para este día en </translation>
    </message>
    <message>
        <source>A theme needs a name</source>
        <translation>Un tema necesita un nombre</translation>
    </message>
    <message>
        <source>A theme is a file of this folder: its name holds no &quot;/&quot;</source>
        <translation>Un tema es un archivo de esta carpeta: su nombre no lleva «/»</translation>
    </message>
    <message>
        <source>A name that starts with &quot;.&quot; is hidden: the calendar would not list the theme</source>
        <translation>Un nombre que empieza por «.» está oculto: el calendario no mostraría el tema</translation>
    </message>
</context>
<context>
    <name>FontDialog</name>
    <message>
        <source>Font</source>
        <translation>Fuente</translation>
    </message>
    <message>
        <source> pt</source>
        <translation> pt</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Negrita</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Cursiva</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Subrayado</translation>
    </message>
    <message>
        <source>S&amp;trikeout</source>
        <translation>Tac&amp;hado</translation>
    </message>
    <message>
        <source>C&amp;olour...</source>
        <translation>C&amp;olor...</translation>
    </message>
    <message>
        <source>Font Colour</source>
        <translation>Color de la fuente</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Fuente:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Tamaño:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Estilo:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Color:</translation>
    </message>
</context>
<context>
    <name>QtMessageBoxService</name>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
</context>
<context>
    <name>vornelle::app::Delivery</name>
    <message>
        <source>&amp;Notify at Day Change</source>
        <translation>&amp;Notificar al cambiar de día</translation>
    </message>
    <message>
        <source>Start at &amp;Login</source>
        <translation>Iniciar al &amp;entrar en la sesión</translation>
    </message>
    <message>
        <source>&amp;Show Calendar</source>
        <translation>&amp;Mostrar el calendario</translation>
    </message>
    <message>
        <source>Copy &amp;Day&apos;s Messages</source>
        <translation>Copiar los mensajes del &amp;día</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
<context>
    <name>vornelle::app::FindWindow</name>
    <message>
        <source>Text to find</source>
        <translation>Texto que buscar</translation>
    </message>
    <message>
        <source>The days whose messages hold this text are listed as you type</source>
        <translation>Los días cuyos mensajes contienen este texto se muestran mientras escribe</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Buscar:</translation>
    </message>
    <message>
        <source>&amp;All themes</source>
        <translation>&amp;Todos los temas</translation>
    </message>
    <message>
        <source>Search every theme of the folder, not only the displayed ones</source>
        <translation>Buscar en todos los temas de la carpeta, no solo en los mostrados</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Press Enter or double-click to show the day in the calendar</source>
        <translation>Pulse Intro o haga doble clic para mostrar el día en el calendario</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Tema</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Search status</source>
        <translation>Estado de la búsqueda</translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation>No se encontró nada</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Buscando...</translation>
    </message>
    <message>
        <source>1 day found</source>
        <translation>1 día encontrado</translation>
    </message>
    <message>
        <source>%1 days found</source>
        <translation>%1 días encontrados</translation>
    </message>
    <message>
        <source>Find Messages</source>
        <translation>Buscar mensajes</translation>
    </message>
    <message>
        <source>&amp;Whole words</source>
        <translation>&amp;Palabras completas</translation>
    </message>
    <message>
        <source>Find the text only where no letter or digit comes right before or after it</source>
        <translation>Encontrar el texto solo donde ninguna letra ni cifra lo toca antes o después</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Mayúsculas y minúsculas</translation>
    </message>
    <message>
        <source>Find capitals only where the text has them</source>
        <translation>Encontrar mayúsculas solo donde el texto las tiene</translation>
    </message>
</context>
<context>
    <name>vornelle::app::GoToDateDialog</name>
    <message>
        <source>Go to Date</source>
        <translation>Ir a la fecha</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Fecha:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Write a date as %1 or %2.</source>
        <translation>Escriba una fecha como %1 o %2.</translation>
    </message>
    <message>
        <source>Not a Date: &quot;%1&quot;. Write a date as %2 or %3.</source>
        <translation>No es una fecha: «%1». Escriba una fecha como %2 o %3.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::HistoryNavigation</name>
    <message>
        <source>&amp;Back</source>
        <translation>A&amp;trás</translation>
    </message>
    <message>
        <source>Back to the Day Shown Before.</source>
        <translation>Volver al día mostrado antes.</translation>
    </message>
    <message>
        <source>F&amp;orward</source>
        <translation>Adela&amp;nte</translation>
    </message>
    <message>
        <source>Forward to the Day Shown After.</source>
        <translation>Ir al día mostrado después.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::NewThemeDialog</name>
    <message>
        <source>Theme text (@MMDD records)</source>
        <translation>Texto de tema (registros @MMDD)</translation>
    </message>
    <message>
        <source>calendar file (MM/DD, Mon DD)</source>
        <translation>archivo de calendar (MM/DD, Mon DD)</translation>
    </message>
    <message>
        <source>fortune file (% between sayings)</source>
        <translation>archivo de fortune (% entre los refranes)</translation>
    </message>
    <message>
        <source>New Theme from File</source>
        <translation>Nuevo tema desde archivo</translation>
    </message>
    <message>
        <source>New Theme</source>
        <translation>Nuevo tema</translation>
    </message>
    <message>
        <source>Source file</source>
        <translation>Archivo de origen</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Examinar...</translation>
    </message>
    <message>
        <source>Choose the file the theme is made from</source>
        <translation>Elegir el archivo a partir del que se crea el tema</translation>
    </message>
    <message>
        <source>&amp;Source file:</source>
        <translation>Archivo de &amp;origen:</translation>
    </message>
    <message>
        <source>Kind of file</source>
        <translation>Tipo de archivo</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Tipo:</translation>
    </message>
    <message>
        <source>First day of the sayings (MMDD)</source>
        <translation>Primer día de los refranes (MMDD)</translation>
    </message>
    <message>
        <source>First &amp;day (MMDD):</source>
        <translation>Primer &amp;día (MMDD):</translation>
    </message>
    <message>
        <source>File name of the new theme</source>
        <translation>Nombre de archivo del nuevo tema</translation>
    </message>
    <message>
        <source>mythoughts.dbf</source>
        <translation>mispensamientos.dbf</translation>
    </message>
    <message>
        <source>&amp;File name:</source>
        <translation>&amp;Nombre del archivo:</translation>
    </message>
    <message>
        <source>Description of the new theme</source>
        <translation>Descripción del nuevo tema</translation>
    </message>
    <message>
        <source>the file&apos;s own, or its name</source>
        <translation>la del archivo, o su nombre</translation>
    </message>
    <message>
        <source>as the options list it</source>
        <translation>tal como la muestran las opciones</translation>
    </message>
    <message>
        <source>D&amp;escription:</source>
        <translation>Descri&amp;pción:</translation>
    </message>
    <message>
        <source>Make a Theme from</source>
        <translation>Crear un tema a partir de</translation>
    </message>
    <message>
        <source>The theme&apos;s file</source>
        <translation>El archivo del tema</translation>
    </message>
    <message>
        <source>The theme&apos;s file: %1</source>
        <translation>El archivo del tema: %1</translation>
    </message>
    <message>
        <source>iCalendar file (.ics, BEGIN:VCALENDAR)</source>
        <translation>archivo iCalendar (.ics, BEGIN:VCALENDAR)</translation>
    </message>
</context>
<context>
    <name>vornelle::app::Spelling</name>
    <message>
        <source>The spelling language could not be kept in %1</source>
        <translation>No se pudo guardar el idioma de ortografía en %1</translation>
    </message>
    <message>
        <source>No Suggestions</source>
        <translation>Sin sugerencias</translation>
    </message>
    <message>
        <source>&amp;Add to Dictionary</source>
        <translation>Añadir al dicc&amp;ionario</translation>
    </message>
    <message>
        <source>The word could not be added to your dictionary: %1</source>
        <translation>No se pudo añadir la palabra a su diccionario: %1</translation>
    </message>
    <message>
        <source>Spelling &amp;Language</source>
        <translation>Idioma de &amp;ortografía</translation>
    </message>
    <message>
        <source>No Checking</source>
        <translation>Sin revisión</translation>
    </message>
    <message>
        <source>No spelling dictionary is installed, so the theme editor does not check spelling. Install one for your language (for English, the package hunspell-en-us) and open the editor again.</source>
        <translation>No hay ningún diccionario ortográfico instalado, así que el editor de temas no revisa la ortografía. Instale uno para su idioma (para español, el paquete hunspell-es; para inglés, hunspell-en-us) y vuelva a abrir el editor.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::TAboutBox</name>
    <message>
        <source>%1 icon</source>
        <translation>Icono de %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Closes this box, as Escape does</source>
        <translation>Cierra esta ventana, como la tecla Esc</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>Visit us at: %1</source>
        <translation>Visítenos en: %1</translation>
    </message>
    <message>
        <source>Email us at: %1</source>
        <translation>Escríbanos a: %1</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
</context>
<context>
    <name>vornelle::app::TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Save Changes Made</source>
        <translation>&amp;Guardar los cambios</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>Copy &amp;Day&apos;s Messages</source>
        <translation>Copiar los mensajes del &amp;día</translation>
    </message>
    <message>
        <source>&amp;Find Messages...</source>
        <translation>&amp;Buscar mensajes...</translation>
    </message>
    <message>
        <source>&amp;Go to Date...</source>
        <translation>&amp;Ir a la fecha...</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Hoy</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>&amp;Edit Themes...</source>
        <translation>Editar &amp;temas...</translation>
    </message>
    <message>
        <source>Edit &amp;This Day...</source>
        <translation>Editar este &amp;día...</translation>
    </message>
    <message>
        <source>Use &amp;Desktop Colours</source>
        <translation>Usar los &amp;colores del escritorio</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Contenido</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de Vornelle</translation>
    </message>
    <message>
        <source>Configure options for the program.</source>
        <translation>Configurar las opciones del programa.</translation>
    </message>
    <message>
        <source>Save Changes Made.</source>
        <translation>Guardar los cambios.</translation>
    </message>
    <message>
        <source>Get Help For The Program.</source>
        <translation>Obtener ayuda sobre el programa.</translation>
    </message>
    <message>
        <source>Information About The Program.</source>
        <translation>Información sobre el programa.</translation>
    </message>
    <message>
        <source>Write and Change the Themes&apos; Messages.</source>
        <translation>Escribir y cambiar los mensajes de los temas.</translation>
    </message>
    <message>
        <source>Go to Today.</source>
        <translation>Ir a hoy.</translation>
    </message>
    <message>
        <source>Exit The Program.</source>
        <translation>Salir del programa.</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Save Changes Made</source>
        <translation>Guardar los cambios</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de Vornelle</translation>
    </message>
    <message>
        <source>Edit Themes</source>
        <translation>Editar temas</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Calendar panel</source>
        <translation>Panel del calendario</translation>
    </message>
    <message>
        <source>Click on any day to see more messages.</source>
        <translation>Haga clic en cualquier día para ver más mensajes.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>The selected day&apos;s messages are in the pane below</source>
        <translation>Los mensajes del día seleccionado están en el panel de abajo</translation>
    </message>
    <message>
        <source>Previous Month</source>
        <translation>Mes anterior</translation>
    </message>
    <message>
        <source>Next Month</source>
        <translation>Mes siguiente</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Días</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Año</translation>
    </message>
    <message>
        <source>Messages of the day</source>
        <translation>Mensajes del día</translation>
    </message>
    <message>
        <source>Messages of %1</source>
        <translation>Mensajes del %1</translation>
    </message>
    <message>
        <source>The help file %1 is missing</source>
        <translation>Falta el archivo de ayuda %1</translation>
    </message>
    <message>
        <source>The help page %1 could not be opened</source>
        <translation>No se pudo abrir la página de ayuda %1</translation>
    </message>
    <message>
        <source>Not a Date: &quot;%1&quot;. Write a date as %2 or %3.</source>
        <translation>No es una fecha: «%1». Escriba una fecha como %2 o %3.</translation>
    </message>
    <message>
        <source>Save Changes Before Exiting?</source>
        <translation>¿Guardar los cambios antes de salir?</translation>
    </message>
    <message>
        <source>Close Without Saving?</source>
        <translation>¿Cerrar sin guardar?</translation>
    </message>
    <message>
        <source>&amp;Quiet Days Without Messages</source>
        <translation>Días &amp;silenciosos sin mensajes</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Buscar &amp;siguiente</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>Buscar &amp;anterior</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Exportar como &amp;PDF...</translation>
    </message>
    <message>
        <source>Selected Day</source>
        <translation>Día elegido</translation>
    </message>
    <message>
        <source>Its Week</source>
        <translation>Su semana</translation>
    </message>
    <message>
        <source>Its Month</source>
        <translation>Su mes</translation>
    </message>
    <message>
        <source>Days to print</source>
        <translation>Días que imprimir</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Exportar como PDF</translation>
    </message>
    <message>
        <source>&amp;Days to export:</source>
        <translation>&amp;Días que exportar:</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The PDF file %1 could not be written: %2</source>
        <translation>No se pudo escribir el archivo PDF %1: %2</translation>
    </message>
</context>
<context>
    <name>vornelle::app::ThemeEditor</name>
    <message>
        <source>... and %1 more</source>
        <translation>... y %1 más</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Tema</translation>
    </message>
    <message>
        <source>The theme whose records are shown</source>
        <translation>El tema cuyos registros se muestran</translation>
    </message>
    <message>
        <source>&amp;Theme:</source>
        <translation>&amp;Tema:</translation>
    </message>
    <message>
        <source>&amp;New Theme...</source>
        <translation>&amp;Nuevo tema...</translation>
    </message>
    <message>
        <source>Make an empty theme in this folder</source>
        <translation>Crear un tema vacío en esta carpeta</translation>
    </message>
    <message>
        <source>New Theme from &amp;File...</source>
        <translation>Nuevo tema desde &amp;archivo...</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Registros</translation>
    </message>
    <message>
        <source>The theme&apos;s records in file order: day, first line of the message, deleted mark</source>
        <translation>Los registros del tema en el orden del archivo: día, primera línea del mensaje, marca de eliminado</translation>
    </message>
    <message>
        <source>Day (MMDD)</source>
        <translation>Día (MMDD)</translation>
    </message>
    <message>
        <source>The record&apos;s key: month and day as four digits, or 9999 for the description</source>
        <translation>La clave del registro: el mes y el día en cuatro cifras, o 9999 para la descripción</translation>
    </message>
    <message>
        <source>&amp;Day (MMDD):</source>
        <translation>&amp;Día (MMDD):</translation>
    </message>
    <message>
        <source>Note on this record</source>
        <translation>Nota sobre este registro</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Mensaje:</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>The whole message the calendar shows for this day</source>
        <translation>El mensaje completo que el calendario muestra para este día</translation>
    </message>
    <message>
        <source>New Da&amp;y</source>
        <translation>Nue&amp;vo día</translation>
    </message>
    <message>
        <source>Start a new record for a day (Ctrl+N)</source>
        <translation>Empezar un registro nuevo para un día (Ctrl+N)</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>Mark the record deleted</source>
        <translation>Marcar el registro como eliminado</translation>
    </message>
    <message>
        <source>R&amp;estore</source>
        <translation>&amp;Restaurar</translation>
    </message>
    <message>
        <source>Take the deleted mark away</source>
        <translation>Quitar la marca de eliminado</translation>
    </message>
    <message>
        <source>Re&amp;vert</source>
        <translation>Desha&amp;cer cambios</translation>
    </message>
    <message>
        <source>Show the record as the file holds it, dropping the changes</source>
        <translation>Mostrar el registro tal como lo guarda el archivo, descartando los cambios</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Write the record to the theme (Ctrl+S)</source>
        <translation>Escribir el registro en el tema (Ctrl+S)</translation>
    </message>
    <message>
        <source>Choose a theme, or make a new one.</source>
        <translation>Elija un tema o cree uno nuevo.</translation>
    </message>
    <message>
        <source>This theme&apos;s file may not be changed; its records are shown only.</source>
        <translation>El archivo de este tema no se puede cambiar; sus registros solo se muestran.</translation>
    </message>
    <message>
        <source>A new record: type its day and message, then Save.</source>
        <translation>Un registro nuevo: escriba su día y su mensaje y luego pulse Guardar.</translation>
    </message>
    <message>
        <source>This key is no day: the calendar never shows this record.</source>
        <translation>Esta clave no es un día: el calendario nunca muestra este registro.</translation>
    </message>
    <message>
        <source>A second record for %1: the calendar shows the first (record %2).</source>
        <translation>Un segundo registro (%1): el calendario muestra el primero (registro %2).</translation>
    </message>
    <message>
        <source>the description</source>
        <translation>la descripción</translation>
    </message>
    <message>
        <source>The theme&apos;s description, as the options list it.</source>
        <translation>La descripción del tema, tal como la muestran las opciones.</translation>
    </message>
    <message>
        <source>%1; nothing was written.</source>
        <translation>%1; no se ha escrito nada.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>No se ha escrito nada.</translation>
    </message>
    <message>
        <source>Vornelle Theme Editor</source>
        <translation>Editor de temas de Vornelle</translation>
    </message>
    <message>
        <source>Save Changes to This Day?</source>
        <translation>¿Guardar los cambios de este día?</translation>
    </message>
    <message>
        <source>&amp;Remove Deleted Days...</source>
        <translation>&amp;Quitar días borrados...</translation>
    </message>
    <message>
        <source>Remove the records marked deleted from the theme for good</source>
        <translation>Quitar definitivamente del tema los registros marcados como borrados</translation>
    </message>
    <message>
        <source>The theme&apos;s description, as the options list it. Its day stays 9999: the calendar needs it.</source>
        <translation>La descripción del tema, tal como la muestran las opciones. Su día sigue siendo 9999: el calendario lo necesita.</translation>
    </message>
    <message>
        <source>Deleted: the calendar still shows it until Remove Deleted Days removes it; Restore takes the mark away.</source>
        <translation>Borrado: el calendario lo sigue mostrando hasta que «Quitar días borrados» lo quite; Restaurar retira la marca.</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Another program is changing this theme. Your text is kept; try again in a moment.

%1</source>
        <translation>Otro programa está cambiando este tema. Su texto se conserva; vuelva a intentarlo en un momento.

%1</translation>
    </message>
    <message>
        <source>Another program replaced the theme %1 since the editor opened it (a new import of it, for example). Nothing was written. The editor now shows the new table, with your text kept: Save writes it there.</source>
        <translation>Otro programa reemplazó el tema %1 desde que el editor lo abrió (con una nueva importación, por ejemplo). No se escribió nada. El editor muestra ahora la tabla nueva, con su texto conservado: Guardar lo escribe allí.</translation>
    </message>
    <message>
        <source>Another program changed this day since the editor showed it.

Keep Mine writes your text over theirs. Take Theirs shows their text; Ctrl+Z in the message brings yours back. Cancel writes nothing.</source>
        <translation>Otro programa cambió este día desde que el editor lo mostró.

«Conservar el mío» escribe su texto sobre el otro. «Tomar el suyo» muestra el otro texto; Ctrl+Z en el mensaje recupera el suyo. Cancelar no escribe nada.</translation>
    </message>
    <message>
        <source>&amp;Keep Mine</source>
        <translation>&amp;Conservar el mío</translation>
    </message>
    <message>
        <source>&amp;Take Theirs</source>
        <translation>&amp;Tomar el suyo</translation>
    </message>
    <message>
        <source>The description</source>
        <translation>La descripción</translation>
    </message>
    <message>
        <source>%1 has a record already, and the calendar shows that one. Add a second record for it anyway?</source>
        <translation>%1 ya tiene un registro, y el calendario muestra ese. ¿Añadir de todos modos un segundo registro?</translation>
    </message>
    <message>
        <source>&amp;Add Second Record</source>
        <translation>&amp;Añadir segundo registro</translation>
    </message>
    <message>
        <source>Drop your changes to this day and show it as the theme holds it?</source>
        <translation>¿Descartar sus cambios de este día y mostrarlo tal como lo contiene el tema?</translation>
    </message>
    <message>
        <source>&amp;Revert</source>
        <translation>&amp;Revertir</translation>
    </message>
    <message>
        <source>Remove the days marked deleted from %1 for good?

The theme is written anew; no other program may have it open meanwhile.</source>
        <translation>¿Quitar definitivamente de %1 los días marcados como borrados?

El tema se escribe de nuevo; ningún otro programa puede tenerlo abierto mientras tanto.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>%1: %2 deleted days removed, %3 records kept.</source>
        <translation>%1: %2 días borrados quitados, %3 registros conservados.</translation>
    </message>
    <message>
        <source>The theme&apos;s code page (%1) cannot hold the character %2; nothing was written.</source>
        <translation>La página de códigos del tema (%1) no puede contener el carácter %2; no se escribió nada.</translation>
    </message>
    <message>
        <source>&amp;Copy to My Themes</source>
        <translation>Co&amp;piar a mis temas</translation>
    </message>
    <message>
        <source>Copy this theme of the system&apos;s into your own themes, where you can change it</source>
        <translation>Copiar este tema del sistema a sus propios temas, donde puede cambiarlo</translation>
    </message>
    <message>
        <source>Export as &amp;iCalendar...</source>
        <translation>E&amp;xportar como iCalendar...</translation>
    </message>
    <message>
        <source>Write the theme as an iCalendar file for calendar programs and phones (Ctrl+E)</source>
        <translation>Escribir el tema como archivo iCalendar para programas de calendario y teléfonos (Ctrl+E)</translation>
    </message>
    <message>
        <source>A theme the system provides: its records are shown only. Copy to My Themes makes a copy you can change.</source>
        <translation>Un tema que proporciona el sistema: sus registros solo se muestran. «Copiar a mis temas» hace una copia que puede cambiar.</translation>
    </message>
    <message>
        <source>%1 is one of your own themes now: your changes go to your copy.</source>
        <translation>%1 es ahora uno de sus propios temas: sus cambios van a su copia.</translation>
    </message>
    <message>
        <source>Export Theme as iCalendar</source>
        <translation>Exportar tema como iCalendar</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation>Archivos iCalendar (*.ics);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>%1 days of %2 written to %3.</source>
        <translation>%1 días de %2 escritos en %3.</translation>
    </message>
    <message>
        <source>Make a theme from a theme text, calendar, iCalendar or fortune file</source>
        <translation>Crear un tema a partir de un texto de tema o de un archivo de calendar, iCalendar o fortune</translation>
    </message>
</context>
<context>
    <name>vornelle::app::ThemeRecordsModel</name>
    <message>
        <source>Deleted</source>
        <translation>Eliminado</translation>
    </message>
    <message>
        <source>January</source>
        <translation>enero</translation>
    </message>
    <message>
        <source>February</source>
        <translation>febrero</translation>
    </message>
    <message>
        <source>March</source>
        <translation>marzo</translation>
    </message>
    <message>
        <source>April</source>
        <translation>abril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>mayo</translation>
    </message>
    <message>
        <source>June</source>
        <translation>junio</translation>
    </message>
    <message>
        <source>July</source>
        <translation>julio</translation>
    </message>
    <message>
        <source>August</source>
        <translation>agosto</translation>
    </message>
    <message>
        <source>September</source>
        <translation>septiembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>octubre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>noviembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>diciembre</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A theme&apos;s day: the day of the month and the month&apos;s name, as in &quot;8 December&quot;.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
</context>
<context>
    <name>vornelle::options::TMyColorGrid</name>
    <message>
        <source>Black</source>
        <translation>Negro</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Granate</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Oliva</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Azul marino</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Púrpura</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Plata</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Lima</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fucsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Aguamarina</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
    <message>
        <source>Foreground and background color</source>
        <translation>Color de primer plano y de fondo</translation>
    </message>
    <message>
        <source>Foreground color</source>
        <translation>Color de primer plano</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Color de fondo</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Colores</translation>
    </message>
</context>
<context>
    <name>vornelle::options::TOptionsF</name>
    <message>
        <source>Calendar Month Background Color</source>
        <translation>Fondo del mes del calendario</translation>
    </message>
    <message>
        <source>Calendar Title Background Color</source>
        <translation>Fondo del título del calendario</translation>
    </message>
    <message>
        <source>Calendar Title Text Color</source>
        <translation>Texto del título del calendario</translation>
    </message>
    <message>
        <source>Calendar Title Trailing Text Color</source>
        <translation>Texto de días de otros meses</translation>
    </message>
    <message>
        <source>Window Color</source>
        <translation>Color de la ventana</translation>
    </message>
    <message>
        <source>%1 Options</source>
        <translation>Opciones de %1</translation>
    </message>
    <message>
        <source>Available Themes</source>
        <translation>Temas disponibles</translation>
    </message>
    <message>
        <source>Themes to Display</source>
        <translation>Temas a mostrar</translation>
    </message>
    <message>
        <source>Add -&gt;</source>
        <translation>Añadir -&gt;</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Color Options</source>
        <translation>Opciones de color</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>Not in use while Tools &gt; Use Desktop Colours is on.</source>
        <translation>Sin efecto con Herramientas &gt; Usar los colores del escritorio.</translation>
    </message>
    <message>
        <source>Font Options</source>
        <translation>Opciones de fuente</translation>
    </message>
    <message>
        <source>Set Font</source>
        <translation>Fuente...</translation>
    </message>
    <message>
        <source>Message Text Font</source>
        <translation>Fuente de los mensajes</translation>
    </message>
    <message>
        <source>Calendar Text Font</source>
        <translation>Fuente del calendario</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The themes whose messages the calendar shows</source>
        <translation>Los temas cuyos mensajes muestra el calendario</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Adds the highlighted available theme to the themes to display</source>
        <translation>Añade el tema disponible resaltado a los temas que se muestran</translation>
    </message>
    <message>
        <source>Removes the highlighted theme from the themes to display</source>
        <translation>Quita el tema resaltado de los temas que se muestran</translation>
    </message>
    <message>
        <source>Left and Right arrows change this color</source>
        <translation>Las flechas izquierda y derecha cambian este color</translation>
    </message>
    <message>
        <source>Color Grid</source>
        <translation>Cuadrícula de colores</translation>
    </message>
    <message>
        <source>The marked cell is the checked item&apos;s color</source>
        <translation>La celda marcada es el color del elemento elegido</translation>
    </message>
    <message>
        <source>Set Message Text Font</source>
        <translation>Elegir la fuente de los mensajes</translation>
    </message>
    <message>
        <source>Set Calendar Text Font</source>
        <translation>Elegir la fuente del calendario</translation>
    </message>
    <message>
        <source>Keeps the changes and closes the dialog</source>
        <translation>Conserva los cambios y cierra el diálogo</translation>
    </message>
    <message>
        <source>Closes the dialog without the changes</source>
        <translation>Cierra el diálogo sin los cambios</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Error creating font window!</source>
        <translation>¡Error al crear la ventana de fuentes!</translation>
    </message>
    <message>
        <source>You must highlight a Theme to add.</source>
        <translation>Debe resaltar un tema para añadirlo.</translation>
    </message>
    <message>
        <source>That Theme is already being displayed.</source>
        <translation>Ese tema ya se está mostrando.</translation>
    </message>
    <message>
        <source>You must highlight a Theme to remove.</source>
        <translation>Debe resaltar un tema para quitarlo.</translation>
    </message>
    <message>
        <source>You made changes. Do you really want to exit without applying?</source>
        <translation>Ha hecho cambios. ¿Seguro que quiere salir sin aplicarlos?</translation>
    </message>
</context>
</TS>
