<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="it_IT">
<context>
    <name>QAbstractSocket</name>
    <message>
        <source>Host not found</source>
        <translation>Host not found</translation>
    </message>
</context>
<context>
    <name>anemora::AgwpeLink</name>
    <message>
        <source>%1 Wx Station</source>
        <translation>%1 Wx Station</translation>
    </message>
    <message>
        <source>Invalid AGWPE frame: %1 data bytes announced, at most %2 expected</source>
        <translation>Invalid AGWPE frame: %1 data bytes announced, at most %2 expected</translation>
    </message>
    <message>
        <source>AGWPE: connessione chiusa</source>
        <translation>AGWPE: connection closed</translation>
    </message>
    <message>
        <source>Errore collegamento con AGWPE [%1]</source>
        <translation>AGWPE connection error [%1]</translation>
    </message>
    <message>
        <source>AGWPE: %1</source>
        <translation>AGWPE: %1</translation>
    </message>
</context>
<context>
    <name>anemora::AnemoraApp</name>
    <message>
        <source>Anemora - Istruzioni</source>
        <translation>Anemora - Instructions</translation>
    </message>
</context>
<context>
    <name>anemora::AnemoraService</name>
    <message>
        <source>%1: connesso a %2 porta %3</source>
        <translation>%1: connected to %2 port %3</translation>
    </message>
    <message>
        <source>Primo rapporto di %1</source>
        <translation>First report of %1</translation>
    </message>
    <message>
        <source>Avvio: impostazioni in %1, registro in %2</source>
        <translation>Starting: settings in %1, log in %2</translation>
    </message>
    <message>
        <source>Rilettura delle impostazioni</source>
        <translation>Reading the settings again</translation>
    </message>
    <message>
        <source>MQTT: pubblicazione ripresa</source>
        <translation>MQTT: publishing again</translation>
    </message>
    <message>
        <source>Opzione non valida: %1 (si scrive --config CARTELLA o --log CARTELLA)</source>
        <translation>Invalid option: %1 (write --config FOLDER or --log FOLDER)</translation>
    </message>
    <message>
        <source>connesso</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>fuori linea</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>in connessione</source>
        <translation>connecting</translation>
    </message>
    <message>
        <source>ultimo rapporto %1</source>
        <translation>last report %1</translation>
    </message>
    <message>
        <source>nessun rapporto finora</source>
        <translation>no report yet</translation>
    </message>
    <message>
        <source>Nessun dato da %1 da %2 minuti</source>
        <translation>No data from %1 for %2 minutes</translation>
    </message>
    <message>
        <source>Di nuovo dati da %1</source>
        <translation>Data from %1 again</translation>
    </message>
    <message>
        <source>Fermato</source>
        <translation>Stopped</translation>
    </message>
</context>
<context>
    <name>anemora::AprsIsLink</name>
    <message>
        <source>Errore collegamento TCP [%1]</source>
        <translation>TCP connection error [%1]</translation>
    </message>
    <message>
        <source>%1 Wx Station</source>
        <translation>%1 Wx Station</translation>
    </message>
    <message>
        <source>Anemora connected to %1</source>
        <translation>Anemora connected to %1</translation>
    </message>
    <message>
        <source>Il server %1 non invia dati da %2</source>
        <translation>The server %1 has sent no data for %2</translation>
    </message>
    <message>
        <source>APRS-IS: nessun dato da %1 da %2</source>
        <translation>APRS-IS: no data from %1 for %2</translation>
    </message>
    <message>
        <source>Chiusura collegamento TCP [%1]</source>
        <translation>TCP connection closed [%1]</translation>
    </message>
    <message>
        <source>Il server %1 ha chiuso la connessione</source>
        <translation>The server %1 closed the connection</translation>
    </message>
    <message>
        <source>APRS-IS: connessione chiusa da %1</source>
        <translation>APRS-IS: connection closed by %1</translation>
    </message>
    <message>
        <source>APRS-IS: %1</source>
        <translation>APRS-IS: %1</translation>
    </message>
</context>
<context>
    <name>anemora::CompassView</name>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>O</source>
        <translation>W</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>WIND CALM</source>
        <translation>WIND CALM</translation>
    </message>
</context>
<context>
    <name>anemora::ConfigFiles</name>
    <message>
        <source>Unable to save Parameter values</source>
        <translation>Unable to save Parameter values</translation>
    </message>
    <message>
        <source>Unable to save Wx Alarm values</source>
        <translation>Unable to save Wx Alarm values</translation>
    </message>
    <message>
        <source>Unable to save the program options</source>
        <translation>Unable to save the program options</translation>
    </message>
    <message>
        <source>Password MQTT non salvata: %1 sarebbe leggibile da altri utenti</source>
        <translation>MQTT password not saved: %1 would be readable by other users</translation>
    </message>
</context>
<context>
    <name>anemora::DisplayModel</name>
    <message>
        <source>%1 fuori linea - %2</source>
        <translation>%1 offline - %2</translation>
    </message>
</context>
<context>
    <name>anemora::InstructionsWindow</name>
    <message>
        <source>Istruzioni:</source>
        <translation>Instructions:</translation>
    </message>
    <message>
        <source>Manca il file di help %1</source>
        <translation>The help file %1 is missing</translation>
    </message>
</context>
<context>
    <name>anemora::MainWindow</name>
    <message>
        <source>Click col tasto destro del muose per avviare il Setup. F1=Help</source>
        <translation>Right-click to open the Setup. F1=Help</translation>
    </message>
    <message>
        <source>Click col tasto destro del mouse per avviare il Setup</source>
        <translation>Right-click to open the Setup</translation>
    </message>
    <message>
        <source>Click o Shift-Click col tasto destro per abilitare/disabilitare le finestre Rx o Dati storici</source>
        <translation>Right-click or Shift+right-click to show/hide the Rx or History windows</translation>
    </message>
</context>
<context>
    <name>anemora::MqttPublisher</name>
    <message>
        <source>MQTT %1:%2: %3 (%4)</source>
        <translation>MQTT %1:%2: %3 (%4)</translation>
    </message>
    <message>
        <source>MQTT: mancano l&apos;indirizzo del broker o il nominativo</source>
        <translation>MQTT: the broker&apos;s address or the call sign is missing</translation>
    </message>
    <message>
        <source>MQTT: il sistema non concede un thread al client</source>
        <translation>MQTT: the system grants the client no thread</translation>
    </message>
    <message>
        <source>MQTT: libreria libmosquitto non caricata (%1)</source>
        <translation>MQTT: the libmosquitto library did not load (%1)</translation>
    </message>
    <message>
        <source>client non avviato</source>
        <translation>client not started</translation>
    </message>
    <message>
        <source>connessione non riuscita</source>
        <translation>connection failed</translation>
    </message>
    <message>
        <source>connessione persa</source>
        <translation>connection lost</translation>
    </message>
    <message>
        <source>nessuna risposta dal broker</source>
        <translation>no answer from the broker</translation>
    </message>
    <message>
        <source>accesso rifiutato</source>
        <translation>access refused</translation>
    </message>
    <message>
        <source>MQTT: collegamento al broker in corso</source>
        <translation>MQTT: connecting to the broker</translation>
    </message>
    <message>
        <source>MQTT: collegato al broker</source>
        <translation>MQTT: connected to the broker</translation>
    </message>
    <message>
        <source>MQTT: pubblicazione spenta</source>
        <translation>MQTT: publishing is off</translation>
    </message>
</context>
<context>
    <name>anemora::ServicePrompts</name>
    <message>
        <source>Le impostazioni non indicano un nominativo o un collegamento da aprire: nulla è monitorato finché non lo fanno (SIGHUP le rilegge)</source>
        <translation>The settings name no station call or no link to open: nothing is monitored until they do (SIGHUP reads them again)</translation>
    </message>
</context>
<context>
    <name>anemora::SettingsDialog</name>
    <message>
        <source>Wind:  Max</source>
        <translation>Wind:  Max</translation>
    </message>
    <message>
        <source>Km/h  g</source>
        <translation>Km/h  g</translation>
    </message>
    <message>
        <source>mph  g</source>
        <translation>mph  g</translation>
    </message>
    <message>
        <source>Temp: Low</source>
        <translation>Temp: Low</translation>
    </message>
    <message>
        <source>°C   Hi</source>
        <translation>°C   Hi</translation>
    </message>
    <message>
        <source>°F   Hi</source>
        <translation>°F   Hi</translation>
    </message>
    <message>
        <source>U.R.:   Low</source>
        <translation>R.H.:   Low</translation>
    </message>
    <message>
        <source>%    Hi</source>
        <translation>%    Hi</translation>
    </message>
    <message>
        <source>Baro:   Low</source>
        <translation>Baro:   Low</translation>
    </message>
    <message>
        <source>mb  Hi</source>
        <translation>mb  Hi</translation>
    </message>
    <message>
        <source>Rain:   1h</source>
        <translation>Rain:   1h</translation>
    </message>
    <message>
        <source>mm 24h</source>
        <translation>mm 24h</translation>
    </message>
    <message>
        <source>in 24h</source>
        <translation>in 24h</translation>
    </message>
    <message>
        <source>inHg Hi</source>
        <translation>inHg Hi</translation>
    </message>
    <message>
        <source>Setup Parametri Anemora</source>
        <translation>Anemora Setup</translation>
    </message>
    <message>
        <source>Station Call</source>
        <translation>Station Call</translation>
    </message>
    <message>
        <source>Wx Station</source>
        <translation>Wx Station</translation>
    </message>
    <message>
        <source>All&apos;arrivo nuovi dati</source>
        <translation>When new data arrive</translation>
    </message>
    <message>
        <source>Evidenzia finestra</source>
        <translation>Bring forward</translation>
    </message>
    <message>
        <source>Suona</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Allarmi (valori evidenziati rosso)</source>
        <translation>Alarms (values shown in red)</translation>
    </message>
    <message>
        <source>Salva i valori di Allarme / Suoni</source>
        <translation>Save the Alarm / Sound values</translation>
    </message>
    <message>
        <source>AGWPE</source>
        <translation>AGWPE</translation>
    </message>
    <message>
        <source>Agwpe Addr</source>
        <translation>Agwpe Addr</translation>
    </message>
    <message>
        <source>Agwpe Port</source>
        <translation>Agwpe Port</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>Aprs Server</source>
        <translation>Aprs Server</translation>
    </message>
    <message>
        <source>Internet Aprs Server</source>
        <translation>Internet Aprs Server</translation>
    </message>
    <message>
        <source>&amp;Conferma</source>
        <translation>&amp;Confirm</translation>
    </message>
    <message>
        <source>&amp;Cancella</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Riconnetti da solo</source>
        <translation>Reconnect by itself</translation>
    </message>
    <message>
        <source>Allarme dati fermi dopo</source>
        <translation>No-data alarm after</translation>
    </message>
    <message>
        <source>spento</source>
        <translation>off</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Lingua</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Unità</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Metriche</source>
        <translation>Metric</translation>
    </message>
    <message>
        <source>Imperiali</source>
        <translation>Imperial</translation>
    </message>
    <message>
        <source>MQTT (Home Assistant)</source>
        <translation>MQTT (Home Assistant)</translation>
    </message>
    <message>
        <source>Pubblica le letture</source>
        <translation>Publish the readings</translation>
    </message>
    <message>
        <source>Broker</source>
        <translation>Broker</translation>
    </message>
    <message>
        <source>Porta</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <source>Utente</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
</context>
<context>
    <name>anemora::SetupAccept</name>
    <message>
        <source>AGWPE Disconnected</source>
        <translation>AGWPE Disconnected</translation>
    </message>
    <message>
        <source>%1 Wx Station</source>
        <translation>%1 Wx Station</translation>
    </message>
    <message>
        <source>Now Monitoring %1</source>
        <translation>Now Monitoring %1</translation>
    </message>
    <message>
        <source>Unable to add the server to the list</source>
        <translation>Unable to add the server to the list</translation>
    </message>
    <message>
        <source>Aprs Server Disconnected</source>
        <translation>Aprs Server Disconnected</translation>
    </message>
    <message>
        <source>Anemora OFF</source>
        <translation>Anemora OFF</translation>
    </message>
</context>
<context>
    <name>anemora::SetupFields</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Server Aprs</source>
        <translation>Aprs Server</translation>
    </message>
    <message>
        <source>non può contenere &quot;;&quot;</source>
        <translation>cannot contain &quot;;&quot;</translation>
    </message>
    <message>
        <source>scrivere host:porta</source>
        <translation>write host:port</translation>
    </message>
    <message>
        <source>non può contenere &apos;&quot;&apos;</source>
        <translation>cannot contain &apos;&quot;&apos;</translation>
    </message>
    <message>
        <source>la porta deve essere tra 0 e 32767</source>
        <translation>the port must be between 0 and 32767</translation>
    </message>
    <message>
        <source>%1: scrivere un numero</source>
        <translation>%1: write a number</translation>
    </message>
    <message>
        <source>%1: scrivere un numero tra 0 e 100</source>
        <translation>%1: write a number between 0 and 100</translation>
    </message>
    <message>
        <source>Agwpe Addr</source>
        <translation>Agwpe Addr</translation>
    </message>
    <message>
        <source>Agwpe Port</source>
        <translation>Agwpe Port</translation>
    </message>
    <message>
        <source>Temperatura minima</source>
        <translation>Lowest temperature</translation>
    </message>
    <message>
        <source>Temperatura massima</source>
        <translation>Highest temperature</translation>
    </message>
    <message>
        <source>Umidità minima</source>
        <translation>Lowest humidity</translation>
    </message>
    <message>
        <source>Umidità massima</source>
        <translation>Highest humidity</translation>
    </message>
    <message>
        <source>Pressione minima</source>
        <translation>Lowest pressure</translation>
    </message>
    <message>
        <source>Pressione massima</source>
        <translation>Highest pressure</translation>
    </message>
    <message>
        <source>Pioggia 1h</source>
        <translation>Rain 1h</translation>
    </message>
    <message>
        <source>Pioggia 24h</source>
        <translation>Rain 24h</translation>
    </message>
    <message>
        <source>Vento massimo</source>
        <translation>Highest wind</translation>
    </message>
    <message>
        <source>Raffica massima</source>
        <translation>Highest gust</translation>
    </message>
    <message>
        <source>Porta MQTT</source>
        <translation>MQTT port</translation>
    </message>
    <message>
        <source>la porta deve essere tra 1 e 65535</source>
        <translation>the port must be between 1 and 65535</translation>
    </message>
    <message>
        <source>Broker MQTT</source>
        <translation>MQTT broker</translation>
    </message>
    <message>
        <source>scrivere l&apos;indirizzo del broker</source>
        <translation>write the broker&apos;s address</translation>
    </message>
</context>
<context>
    <name>anemora::Startup</name>
    <message>
        <source>Port %1 is not between 0 and 32767: the default port is used</source>
        <translation>Port %1 is not between 0 and 32767: the default port is used</translation>
    </message>
</context>
<context>
    <name>anemora::StationLog</name>
    <message>
        <source>Registro della stazione non scritto: impossibile creare %1</source>
        <translation>Station log not written: cannot create %1</translation>
    </message>
    <message>
        <source>Registro della stazione non scritto: %1 (%2)</source>
        <translation>Station log not written: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>anemora::StationMonitor</name>
    <message>
        <source>Nessun dato da %1 da %2 min</source>
        <translation>No data from %1 for %2 min</translation>
    </message>
    <message>
        <source>Porte Radio : %1</source>
        <translation>Radio Ports : %1</translation>
    </message>
    <message>
        <source>Anemora connesso a AGWPE v%1.%2</source>
        <translation>Anemora connected to AGWPE v%1.%2</translation>
    </message>
    <message>
        <source>Dati storici</source>
        <translation>History</translation>
    </message>
</context>
<context>
    <name>anemora::TcpLink</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>Riconnessione a %1 tra %2</source>
        <translation>Reconnecting to %1 in %2</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
</context>
<context>
    <name>anemora::TrendView</name>
    <message>
        <source>in aumento</source>
        <translation>rising</translation>
    </message>
    <message>
        <source>stabile</source>
        <translation>steady</translation>
    </message>
    <message>
        <source>in calo</source>
        <translation>falling</translation>
    </message>
</context>
<context>
    <name>anemora::TrendWindow</name>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Punto di rugiada</source>
        <translation>Dew point</translation>
    </message>
    <message>
        <source>Umidità</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>Pressione</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Vento medio</source>
        <translation>Mean wind</translation>
    </message>
    <message>
        <source>Raffica</source>
        <translation>Gust</translation>
    </message>
    <message>
        <source>Pioggia in un&apos;ora</source>
        <translation>Rain in an hour</translation>
    </message>
    <message>
        <source>%1Temperatura e %2punto di rugiada (%3)</source>
        <translation>%1Temperature and %2dew point (%3)</translation>
    </message>
    <message>
        <source>Umidità (%3)</source>
        <translation>Humidity (%3)</translation>
    </message>
    <message>
        <source>Pressione (%3)</source>
        <translation>Pressure (%3)</translation>
    </message>
    <message>
        <source>%1Vento medio e %2raffica (%3)</source>
        <translation>%1Mean wind and %2gust (%3)</translation>
    </message>
    <message>
        <source>Pioggia in un&apos;ora (%3)</source>
        <translation>Rain in an hour (%3)</translation>
    </message>
    <message>
        <source>&amp;6 ore</source>
        <translation>&amp;6 hours</translation>
    </message>
    <message>
        <source>&amp;24 ore</source>
        <translation>&amp;24 hours</translation>
    </message>
    <message>
        <source>&amp;7 giorni</source>
        <translation>&amp;7 days</translation>
    </message>
    <message>
        <source>Andamento della stazione</source>
        <translation>Station trend</translation>
    </message>
    <message>
        <source>Andamento della stazione %1</source>
        <translation>Station trend %1</translation>
    </message>
    <message>
        <source>Stato del registro</source>
        <translation>Log status</translation>
    </message>
    <message>
        <source>Ultimo</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Minimo
24 h</source>
        <translation>Lowest
24 h</translation>
    </message>
    <message>
        <source>Massimo
24 h</source>
        <translation>Highest
24 h</translation>
    </message>
    <message>
        <source>Variazione
24 h</source>
        <translation>Change
24 h</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Valori dell&apos;ultimo rapporto e delle ultime 24 ore</source>
        <translation>Values of the last report and of the last 24 hours</translation>
    </message>
    <message>
        <source>nessun valore</source>
        <translation>no value</translation>
    </message>
</context>
<context>
    <name>anemora::WxDisplay</name>
    <message>
        <source>Calma di vento</source>
        <translation>Wind calm</translation>
    </message>
    <message>
        <source>%1, raffica %2</source>
        <translation>%1, gust %2</translation>
    </message>
    <message>
        <source> Wch </source>
        <translation> Wch </translation>
    </message>
    <message>
        <source> Dp </source>
        <translation> Dp </translation>
    </message>
    <message>
        <source>Variaz Press in 4h= </source>
        <translation>Press change 4h= </translation>
    </message>
</context>
</TS>
