<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AltitudeSampler</name>
    <message>
        <source>海拔 (%s)</source>
        <translation>Altitude (%s)</translation>
    </message>
</context>
<context>
    <name>AnalysisPageModel</name>
    <message>
        <source>加速度</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>海拔</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>轨迹错误</source>
        <translation>Track error</translation>
    </message>
    <message>
        <source>垂直速度</source>
        <translation>Vertical speed</translation>
    </message>
    <message>
        <source>速度 (%s)</source>
        <translation>Speed (%s)</translation>
    </message>
    <message>
        <source>垂直速度 (%s)</source>
        <translation>Vertical speed (%s)</translation>
    </message>
    <message>
        <source>轨迹错误 (%s)</source>
        <translation>Track error (%s)</translation>
    </message>
    <message>
        <source>加速度 (%s)</source>
        <translation>Acceleration (%s)</translation>
    </message>
</context>
<context>
    <name>AnalysisWnd</name>
    <message>
        <source>加速度</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>海拔</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>轨迹错误</source>
        <translation>Track error</translation>
    </message>
    <message>
        <source>垂直速度</source>
        <translation>Vertical speed</translation>
    </message>
    <message>
        <source>清除曲线</source>
        <translation>Clear chart</translation>
    </message>
    <message>
        <source>清除全部曲线</source>
        <translation>Clear all charts</translation>
    </message>
    <message>
        <source>属性...</source>
        <translation>Properties...</translation>
    </message>
</context>
<context>
    <name>CourseFollowing</name>
    <message>
        <source>偏离路线 %s</source>
        <translation>Off course %s</translation>
    </message>
    <message>
        <source>已回到路线</source>
        <translation>Back on course</translation>
    </message>
</context>
<context>
    <name>CourseProfilePlot</name>
    <message>
        <source>路线没有高度数据</source>
        <translation>The course has no heights</translation>
    </message>
</context>
<context>
    <name>DigitalPanelMenus</name>
    <message>
        <source>更改此窗格(&amp;C)...</source>
        <translation>&amp;Change this pane...</translation>
    </message>
    <message>
        <source>屏幕配置(&amp;S)</source>
        <translation>&amp;Screen layout</translation>
    </message>
    <message>
        <source>1 栏</source>
        <translation>1 column</translation>
    </message>
    <message>
        <source>2 栏</source>
        <translation>2 columns</translation>
    </message>
    <message>
        <source>3 栏</source>
        <translation>3 columns</translation>
    </message>
    <message>
        <source>4 栏</source>
        <translation>4 columns</translation>
    </message>
    <message>
        <source>重置旅行数据(&amp;R)</source>
        <translation>&amp;Reset trip data</translation>
    </message>
    <message>
        <source>改变此窗格..</source>
        <translation>Change this pane...</translation>
    </message>
    <message>
        <source>隐藏窗口(&amp;H)</source>
        <translation>&amp;Hide window</translation>
    </message>
    <message>
        <source>改变此窗格(&amp;C)...</source>
        <translation>&amp;Change this pane...</translation>
    </message>
    <message>
        <source>显示导航窗口</source>
        <translation>Show navigation window</translation>
    </message>
</context>
<context>
    <name>FormatPanelField</name>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>电池电量充足</source>
        <translation>Battery high</translation>
    </message>
    <message>
        <source>电池电量地</source>
        <translation>Battery low</translation>
    </message>
    <message>
        <source>电池电量紧张</source>
        <translation>Battery critical</translation>
    </message>
    <message>
        <source>电池充电中</source>
        <translation>Charging</translation>
    </message>
    <message>
        <source>电池电量无</source>
        <translation>No battery</translation>
    </message>
    <message>
        <source>未知状态</source>
        <translation>Status unknown</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
</context>
<context>
    <name>GaugePanelMenu</name>
    <message>
        <source>循环显示仪表</source>
        <translation>Cycle gauges</translation>
    </message>
    <message>
        <source>高度表</source>
        <translation>Altimeter</translation>
    </message>
    <message>
        <source>罗盘</source>
        <translation>Compass</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speedometer</translation>
    </message>
    <message>
        <source>垂直速度</source>
        <translation>Vertical speed</translation>
    </message>
    <message>
        <source>设置仪表(&amp;S)</source>
        <translation>&amp;Set up gauges</translation>
    </message>
    <message>
        <source>速度(&amp;S)</source>
        <translation>&amp;Speed...</translation>
    </message>
    <message>
        <source>启用平滑模式</source>
        <translation>Smooth needles</translation>
    </message>
    <message>
        <source>显示导航窗口</source>
        <translation>Show navigation window</translation>
    </message>
</context>
<context>
    <name>GpsLink</name>
    <message>
        <source>Hikewise 不能够连接到 GPS 接收机。你想要继续尝试连接吗?</source>
        <translation>Hikewise cannot connect to the GPS receiver. Do you want to keep trying?</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>系统颜色</source>
        <translation>System Colours</translation>
    </message>
    <message>
        <source>系统颜色 - 2</source>
        <translation>System Colours - 2</translation>
    </message>
    <message>
        <source>夜晚</source>
        <translation>Night</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>午夜蓝</source>
        <translation>Midnight Blue</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>配置(&amp;C)</source>
        <translation>&amp;Configure</translation>
    </message>
    <message>
        <source>地图属性(&amp;M)...</source>
        <translation>&amp;Map Properties...</translation>
    </message>
    <message>
        <source>导入路点设置...</source>
        <translation>Waypoint Import Settings...</translation>
    </message>
    <message>
        <source>单位(&amp;U)</source>
        <translation>&amp;Units</translation>
    </message>
    <message>
        <source>杂项设置...</source>
        <translation>Miscellaneous Settings...</translation>
    </message>
    <message>
        <source>设置串口 (通讯端口)</source>
        <translation>Serial Port Settings (COM Port)</translation>
    </message>
    <message>
        <source>回放记录的 NMEA 文件</source>
        <translation>Replay Recorded NMEA File</translation>
    </message>
    <message>
        <source>连接 GPS</source>
        <translation>Connect GPS</translation>
    </message>
    <message>
        <source>记录 NMEA 日志(&amp;R)</source>
        <translation>&amp;Record NMEA Log</translation>
    </message>
    <message>
        <source>开始(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>停止(&amp;T)</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>GPS接收机细节</source>
        <translation>Receiver Details</translation>
    </message>
    <message>
        <source>设置 SiRF NMEA 输出</source>
        <translation>Set SiRF NMEA Output</translation>
    </message>
    <message>
        <source>设置 SiRF 参数...</source>
        <translation>Set SiRF Parameters...</translation>
    </message>
    <message>
        <source>自动检测 GPS...</source>
        <translation>Auto-Detect GPS...</translation>
    </message>
    <message>
        <source>轨迹</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>导出轨迹</source>
        <translation>Export Track</translation>
    </message>
    <message>
        <source>导出为 CSV 文件...</source>
        <translation>Export as CSV File...</translation>
    </message>
    <message>
        <source>导出为 KML 文件...</source>
        <translation>Export as KML File...</translation>
    </message>
    <message>
        <source>导出为 GPX 文件...</source>
        <translation>Export as GPX File...</translation>
    </message>
    <message>
        <source>轨迹文件</source>
        <translation>Track File</translation>
    </message>
    <message>
        <source>新建...</source>
        <translation>New...</translation>
    </message>
    <message>
        <source>打开...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>清除当前轨迹(&amp;E)</source>
        <translation>Cl&amp;ear Current Track</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>标签窗口</source>
        <translation>Tabs</translation>
    </message>
    <message>
        <source>按钮和菜单</source>
        <translation>Buttons and Menus</translation>
    </message>
    <message>
        <source>主题颜色</source>
        <translation>Colour Theme</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于 Hikewise(&amp;A)...</source>
        <translation>&amp;About Hikewise...</translation>
    </message>
    <message>
        <source>退出程序(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>路点(&amp;W)</source>
        <translation>&amp;Waypoints</translation>
    </message>
    <message>
        <source>前往路点...</source>
        <translation>Go To Waypoint...</translation>
    </message>
    <message>
        <source>取消前往(&amp;C)</source>
        <translation>&amp;Cancel Go To</translation>
    </message>
    <message>
        <source>在当前位置标记路点(&amp;M)</source>
        <translation>&amp;Mark Waypoint Here</translation>
    </message>
    <message>
        <source>新建路点...</source>
        <translation>New Waypoint...</translation>
    </message>
    <message>
        <source>路点平均</source>
        <translation>Waypoint Averaging</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止／完成</source>
        <translation>Stop/Finish</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>编辑路点...</source>
        <translation>Edit Waypoint...</translation>
    </message>
    <message>
        <source>删除路点...</source>
        <translation>Delete Waypoint...</translation>
    </message>
    <message>
        <source>在地图上显示路点...</source>
        <translation>Show Waypoint on Map...</translation>
    </message>
    <message>
        <source>路点管理...</source>
        <translation>Waypoint Manager...</translation>
    </message>
    <message>
        <source>文件操作</source>
        <translation>File</translation>
    </message>
    <message>
        <source>导出路点...</source>
        <translation>Export Waypoints...</translation>
    </message>
    <message>
        <source>导入路点...</source>
        <translation>Import Waypoints...</translation>
    </message>
    <message>
        <source>导出 geocache_visits.txt...</source>
        <translation>Export geocache_visits.txt...</translation>
    </message>
    <message>
        <source>路点数据库</source>
        <translation>Waypoint Database</translation>
    </message>
    <message>
        <source>路线</source>
        <translation>Courses</translation>
    </message>
    <message>
        <source>打开路线...</source>
        <translation>Open Course...</translation>
    </message>
    <message>
        <source>路线管理...</source>
        <translation>Courses...</translation>
    </message>
    <message>
        <source>跟随路线</source>
        <translation>Follow Course</translation>
    </message>
    <message>
        <source>反向跟随</source>
        <translation>Follow Reversed</translation>
    </message>
    <message>
        <source>停止跟随</source>
        <translation>Stop Following</translation>
    </message>
    <message>
        <source>保存路线...</source>
        <translation>Save Route...</translation>
    </message>
</context>
<context>
    <name>MapDrawing</name>
    <message>
        <source>退出</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>MapFileCommands</name>
    <message>
        <source>不能够打开轨迹文件.请检查并确认文件正确.</source>
        <translation>Cannot open the track file. Please check that the file is correct.</translation>
    </message>
    <message>
        <source>路点数据库</source>
        <translation>Waypoint Database</translation>
    </message>
    <message>
        <source>导出路点</source>
        <translation>Export Waypoints</translation>
    </message>
    <message>
        <source>轨迹文件</source>
        <translation>Track File</translation>
    </message>
    <message>
        <source>导出轨迹</source>
        <translation>Export Track</translation>
    </message>
</context>
<context>
    <name>MapProperties</name>
    <message>
        <source>位置过滤距离阀值必须要大于 0.</source>
        <translation>The position filter distance threshold must be greater than 0.</translation>
    </message>
</context>
<context>
    <name>Navigation</name>
    <message>
        <source>您已到达: %s</source>
        <translation>You have arrived: %s</translation>
    </message>
</context>
<context>
    <name>PortEnumeration</name>
    <message>
        <source>无法打开 %s</source>
        <translation>Cannot open %s</translation>
    </message>
</context>
<context>
    <name>ReceiverSearch</name>
    <message>
        <source>正在验证 NMEA...</source>
        <translation>Checking NMEA...</translation>
    </message>
    <message>
        <source>正在改变波特率...</source>
        <translation>Changing the baud rate...</translation>
    </message>
    <message>
        <source>正在搜索 GPS...</source>
        <translation>Searching for the GPS...</translation>
    </message>
    <message>
        <source>正在打开端口...</source>
        <translation>Opening the port...</translation>
    </message>
    <message>
        <source>正在等待数据...</source>
        <translation>Waiting for data...</translation>
    </message>
    <message>
        <source>未找到 GPS 接收机</source>
        <translation>No GPS receiver found</translation>
    </message>
    <message>
        <source>GPS 已找到</source>
        <translation>GPS found</translation>
    </message>
    <message>
        <source>GPS已被发现,但是它不支持所有必要的NMEA语句.Hikewise需要这些NMEA语句正常:GPGGA ,GPGSV ,GPGSA和GPRMC.请与您的GPS制造商联系,以确保这些语句的支持.查看帮助以获取更多信息. </source>
        <translation>A GPS was found, but it does not send all of the NMEA sentences Hikewise needs: GPGGA, GPGSV, GPGSA and GPRMC. Ask the maker of your GPS how to turn these sentences on. The help has more information. </translation>
    </message>
</context>
<context>
    <name>RoadDrawing</name>
    <message>
        <source>节点计数:%d</source>
        <translation>Nodes: %d</translation>
    </message>
</context>
<context>
    <name>RoadLayer</name>
    <message>
        <source>高速公路</source>
        <translation>Motorways</translation>
    </message>
    <message>
        <source>干线公路</source>
        <translation>Trunk</translation>
    </message>
    <message>
        <source>主要道路</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>次要道路</source>
        <translation>Secondary</translation>
    </message>
    <message>
        <source>三级道路</source>
        <translation>Tertiary</translation>
    </message>
    <message>
        <source>街道</source>
        <translation>Streets</translation>
    </message>
    <message>
        <source>辅路</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>机耕路</source>
        <translation>Tracks</translation>
    </message>
    <message>
        <source>小径</source>
        <translation>Paths</translation>
    </message>
    <message>
        <source>铁路</source>
        <translation>Railways</translation>
    </message>
    <message>
        <source>水域</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>树林</source>
        <translation>Woods</translation>
    </message>
    <message>
        <source>草地和灌丛</source>
        <translation>Grass/scrub</translation>
    </message>
    <message>
        <source>农田</source>
        <translation>Farmland</translation>
    </message>
    <message>
        <source>建成区</source>
        <translation>Built-up</translation>
    </message>
    <message>
        <source>岩石和冰川</source>
        <translation>Rock/ice</translation>
    </message>
    <message>
        <source>湿地</source>
        <translation>Wetland</translation>
    </message>
    <message>
        <source>建筑物</source>
        <translation>Buildings</translation>
    </message>
    <message>
        <source>河流</source>
        <translation>Rivers</translation>
    </message>
    <message>
        <source>溪流</source>
        <translation>Streams</translation>
    </message>
    <message>
        <source>悬崖和山脊</source>
        <translation>Cliffs</translation>
    </message>
    <message>
        <source>索道</source>
        <translation>Aerialways</translation>
    </message>
    <message>
        <source>电力线</source>
        <translation>Power lines</translation>
    </message>
    <message>
        <source>海岸线</source>
        <translation>Coastline</translation>
    </message>
    <message>
        <source>山峰</source>
        <translation>Peaks</translation>
    </message>
    <message>
        <source>山口</source>
        <translation>Passes</translation>
    </message>
    <message>
        <source>地名</source>
        <translation>Places</translation>
    </message>
    <message>
        <source>山屋和避难所</source>
        <translation>Huts</translation>
    </message>
    <message>
        <source>饮用水</source>
        <translation>Springs</translation>
    </message>
    <message>
        <source>观景点</source>
        <translation>Viewpoints</translation>
    </message>
</context>
<context>
    <name>RoutePlanText</name>
    <message>
        <source>路线 %s, 爬升 %s, 步行 %s</source>
        <translation>Route %s, climb %s, walk %s</translation>
    </message>
    <message>
        <source>这两处之间没有可步行的路线.</source>
        <translation>There is no walkable route between these two places.</translation>
    </message>
    <message>
        <source>%s %s 附近 5 公里内没有可步行的道路.</source>
        <translation>No walkable way within 5 km of %s %s.</translation>
    </message>
    <message>
        <source>已取消规划路线.</source>
        <translation>Route planning cancelled.</translation>
    </message>
    <message>
        <source>没有定位, 从地图中心出发. %s</source>
        <translation>No fix: planned from the map&apos;s centre. %s</translation>
    </message>
    <message>
        <source>%d 小时 %02d 分</source>
        <translation>%d h %02d min</translation>
    </message>
    <message>
        <source>%d 分</source>
        <translation>%d min</translation>
    </message>
    <message>
        <source>没有载入地图文件, 不能规划路线.</source>
        <translation>No map file is loaded: routes cannot be planned.</translation>
    </message>
    <message>
        <source>地图文件没有步行网络, 不能规划路线: 请用 hikewise-tool map-import 重新导入.</source>
        <translation>The map file has no walking network, so routes cannot be planned: import it again with hikewise-tool map-import.</translation>
    </message>
    <message>
        <source>不能规划路线: %s</source>
        <translation>Cannot plan routes: %s</translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>无法连接到 gpsd (%s): %s</source>
        <translation>Cannot connect to gpsd (%s): %s</translation>
    </message>
    <message>
        <source>通信错误</source>
        <translation>Communication Error</translation>
    </message>
    <message>
        <source>无法打开端口.请关闭该应用程序访问通讯端口</source>
        <translation>Cannot open the port. Close the program that is using the port.</translation>
    </message>
</context>
<context>
    <name>SerialTransport</name>
    <message>
        <source>没有权限打开串口设备。请把用户加入 dialout 组 (sudo adduser $USER dialout)，然后重新登录。</source>
        <translation>You may not open the serial device. Add your user to the group dialout (sudo adduser $USER dialout), then log in again.</translation>
    </message>
</context>
<context>
    <name>SirfParameterSetup</name>
    <message>
        <source>失败</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>The port runs at %u baud, faster than the SiRF switch back to NMEA can carry (57600 baud at most). Set the port to 57600 baud or slower in &quot;设置串口&quot; first; nothing was sent to the receiver.</source>
        <translation>The port runs at %u baud, faster than the SiRF switch back to NMEA can carry (57600 baud at most). Set the port to 57600 baud or slower in &quot;Serial Port Settings (COM Port)&quot; first; nothing was sent to the receiver.</translation>
    </message>
    <message>
        <source>设置成功. </source>
        <translation>Settings applied. </translation>
    </message>
    <message>
        <source>切换到 SiRF 二进制...</source>
        <translation>Switching to SiRF binary...</translation>
    </message>
    <message>
        <source>不能切换到 SiRF 二元模式</source>
        <translation>Cannot switch to SiRF binary mode</translation>
    </message>
    <message>
        <source>设置 WAAS 参数</source>
        <translation>Setting the WAAS parameters</translation>
    </message>
    <message>
        <source>设置静态导航参数...</source>
        <translation>Setting the static navigation parameters...</translation>
    </message>
    <message>
        <source>切换回 NMEA...</source>
        <translation>Switching back to NMEA...</translation>
    </message>
    <message>
        <source>循环连接...</source>
        <translation>Reconnecting...</translation>
    </message>
    <message>
        <source>完成.</source>
        <translation>Done.</translation>
    </message>
</context>
<context>
    <name>SpeedometerDial</name>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>海拔</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>警告:<byte value="xd"/><byte value="xd"/>
驾车时请勿使用 Hikewise . Hikewise 不是设计用于导航目的.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
在驾驶车辆或行走时分散注意力会导致事故而造成财产或个人的伤害.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
汉化者提醒您:不正确的设置参数将损坏你的GPS接收机,请慎用调整GPS接收机参数.</source>
        <translation>WARNING:<byte value="xd"/><byte value="xd"/>
Do not use Hikewise while driving. Hikewise is not designed for navigation.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
Distraction while driving or walking can cause accidents resulting in damage to property or personal injury.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
Please note: wrong settings can damage your GPS receiver. Change the receiver&apos;s parameters with care.</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>最近路点</source>
        <translation>Nearest Waypoint</translation>
    </message>
    <message>
        <source>正在运行...</source>
        <translation>Running...</translation>
    </message>
    <message>
        <source>正在保存应用程序数据...</source>
        <translation>Saving application data...</translation>
    </message>
    <message>
        <source>可见卫星</source>
        <translation>Sats in View</translation>
    </message>
    <message>
        <source>已跟踪卫星</source>
        <translation>Sats Used</translation>
    </message>
    <message>
        <source>平均坡度</source>
        <translation>Average Grade</translation>
    </message>
    <message>
        <source>电池状态</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>方位</source>
        <translation>Bearing</translation>
    </message>
    <message>
        <source>方位符号</source>
        <translation>Bearing Pointer</translation>
    </message>
    <message>
        <source>航向</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>航向符号</source>
        <translation>Course Pointer</translation>
    </message>
    <message>
        <source>交叉轨迹错误</source>
        <translation>Cross-Track Error</translation>
    </message>
    <message>
        <source>轨迹错误</source>
        <translation>Off Course</translation>
    </message>
    <message>
        <source>到路点距离</source>
        <translation>Dist. to Waypoint</translation>
    </message>
    <message>
        <source>坡度</source>
        <translation>Grade</translation>
    </message>
    <message>
        <source>最大坡度</source>
        <translation>Max Grade</translation>
    </message>
    <message>
        <source>最小坡度</source>
        <translation>Min Grade</translation>
    </message>
    <message>
        <source>空白</source>
        <translation>Blank</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>时间 (12小时)</source>
        <translation>Time (12 h)</translation>
    </message>
    <message>
        <source>时间 (24小时)</source>
        <translation>Time (24 h)</translation>
    </message>
    <message>
        <source>时间 (UTC)</source>
        <translation>Time (UTC)</translation>
    </message>
    <message>
        <source>高度差</source>
        <translation>Altitude Change</translation>
    </message>
    <message>
        <source>平均速度</source>
        <translation>Average Speed</translation>
    </message>
    <message>
        <source>平均坡度上升</source>
        <translation>Average Ascent Grade</translation>
    </message>
    <message>
        <source>平均坡度下降</source>
        <translation>Average Descent Grade</translation>
    </message>
    <message>
        <source>里程表</source>
        <translation>Trip Odometer</translation>
    </message>
    <message>
        <source>ETA (12小时)</source>
        <translation>ETA (12 h)</translation>
    </message>
    <message>
        <source>最大高度</source>
        <translation>Max Altitude</translation>
    </message>
    <message>
        <source>最大速度</source>
        <translation>Max Speed</translation>
    </message>
    <message>
        <source>最小高度</source>
        <translation>Min Altitude</translation>
    </message>
    <message>
        <source>总计上升高度</source>
        <translation>Total Ascent</translation>
    </message>
    <message>
        <source>总计下降高度</source>
        <translation>Total Descent</translation>
    </message>
    <message>
        <source>旅行持续时间</source>
        <translation>Trip Time</translation>
    </message>
    <message>
        <source>天</source>
        <translation>days</translation>
    </message>
    <message>
        <source>显示 Geocache 信息...</source>
        <translation>Show Geocache Info...</translation>
    </message>
    <message>
        <source>错误
无法显示 Geocache 信息</source>
        <translation>Error
Cannot show the geocache information</translation>
    </message>
    <message>
        <source>删除当前选择的路点
删除此路点</source>
        <translation>Delete the selected waypoint
Delete this waypoint</translation>
    </message>
    <message>
        <source>编辑当前通过光标选择的路点
编辑此路点</source>
        <translation>Edit the waypoint selected with the stylus
Edit this waypoint</translation>
    </message>
    <message>
        <source>导出 geocache_visits.txt...</source>
        <translation>Export geocache_visits.txt...</translation>
    </message>
    <message>
        <source>无法创建导出文件.操作取消.</source>
        <translation>Cannot create the export file. Nothing was exported.</translation>
    </message>
    <message>
        <source>是否标记所有 &quot;已发现&quot;的 caches 为 &quot;已发现和已记录&quot;?</source>
        <translation>Mark all &quot;Found it&quot; caches as &quot;Found it and logged&quot;?</translation>
    </message>
    <message>
        <source>Cache状态设置为&quot;已找到&quot;.是否上传此记录?</source>
        <translation>The cache is marked &quot;Found it&quot;. Add this visit to the field notes for upload?</translation>
    </message>
    <message>
        <source>路线剩余距离</source>
        <translation>Course To Go</translation>
    </message>
    <message>
        <source>路线剩余时间</source>
        <translation>Course Time To Go</translation>
    </message>
    <message>
        <source>路线终点ETA</source>
        <translation>Course ETA</translation>
    </message>
    <message>
        <source>偏离路线</source>
        <translation>Off Course</translation>
    </message>
    <message>
        <source>路线剩余爬升</source>
        <translation>Course Ascent To Go</translation>
    </message>
    <message>
        <source>从当前位置规划步行路线到此处
规划路线到此处</source>
        <translation>Plan a route on foot from the current position to this place
Plan route to here</translation>
    </message>
    <message>
        <source>从当前位置规划步行路线到所选路点
规划路线到此路点</source>
        <translation>Plan a route on foot from the current position to the selected waypoint
Plan route to this waypoint</translation>
    </message>
    <message>
        <source>将规划的路线保存为 GPX 文件
保存路线</source>
        <translation>Save the planned route as a GPX file
Save route</translation>
    </message>
</context>
<context>
    <name>TabPages</name>
    <message>
        <source>面板</source>
        <translation>Gauges</translation>
    </message>
    <message>
        <source>旅行</source>
        <translation>Trip</translation>
    </message>
    <message>
        <source>地图</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analysis</translation>
    </message>
</context>
<context>
    <name>TrackFileCommands</name>
    <message>
        <source>不能够写入轨迹文件. 你想要指定一个新的文件以保存这个轨迹吗?如果选择否,当前的轨迹将不会被保存.可能原因:1. 内存卡被移走. 2. 轨迹目录被删除.</source>
        <translation>Cannot write the track file. Do you want to choose a new file to save the track in? If you choose No, the current track will not be saved. Possible causes: 1. The memory card was removed. 2. The track folder was deleted.</translation>
    </message>
</context>
<context>
    <name>UnitsDialog</name>
    <message>
        <source>单位</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>距离/速度:</source>
        <translation>Distance/speed:</translation>
    </message>
    <message>
        <source>高度/仰角:</source>
        <translation>Altitude/elevation:</translation>
    </message>
    <message>
        <source>位置格式:</source>
        <translation>Position format:</translation>
    </message>
    <message>
        <source>法定</source>
        <translation>Statute</translation>
    </message>
    <message>
        <source>海里</source>
        <translation>Nautical</translation>
    </message>
    <message>
        <source>公制</source>
        <translation>Metric</translation>
    </message>
    <message>
        <source>英尺</source>
        <translation>Feet</translation>
    </message>
    <message>
        <source>米</source>
        <translation>Metres</translation>
    </message>
</context>
<context>
    <name>VerticalSpeedDial</name>
    <message>
        <source>垂直速度</source>
        <translation>Vertical speed</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Dn</source>
        <translation>Dn</translation>
    </message>
</context>
<context>
    <name>WPAverageStatusWnd</name>
    <message>
        <source>停止／完成</source>
        <translation>Stop / Done</translation>
    </message>
    <message>
        <source>取消平均</source>
        <translation>Cancel averaging</translation>
    </message>
    <message>
        <source>地图属性(&amp;M)...</source>
        <translation>&amp;Map Properties...</translation>
    </message>
</context>
<context>
    <name>WaypointDatabaseCommands</name>
    <message>
        <source>不能够写入路点数据库文件. 你想要指定一个新的文件以保存这个数据库吗?如果选择否,当前的路点数据库将不会被保存.可能原因:1. 内存卡被移走. 2. 路点目录被删除.</source>
        <translation>Cannot write the waypoint database file. Do you want to choose a new file to save the database in? If you choose No, the current waypoint database will not be saved. Possible causes: 1. The memory card was removed. 2. The waypoint folder was deleted.</translation>
    </message>
    <message>
        <source>不能够打开路点数据库文件.请检查并确认目录正确.</source>
        <translation>Cannot open the waypoint database file. Please check that the folder is correct.</translation>
    </message>
</context>
<context>
    <name>WaypointFileWriter</name>
    <message>
        <source>路点数据库文件已被其他程序修改</source>
        <translation>The waypoint database file was changed by another program</translation>
    </message>
</context>
<context>
    <name>WaypointImport</name>
    <message>
        <source>已添加 %d 新路点. 

已替换 %d 路点.</source>
        <translation>Added %d new waypoints.

Replaced %d waypoints.</translation>
    </message>
    <message>
        <source>错误 - 不支持的路点文件</source>
        <translation>Error - unsupported waypoint file</translation>
    </message>
    <message>
        <source>地点超出范围.这个操作将中止</source>
        <translation>Location out of range. The operation will be aborted.</translation>
    </message>
</context>
<context>
    <name>WaypointImportJob</name>
    <message>
        <source>不能够打开文件 %s</source>
        <translation>Cannot open the file %s</translation>
    </message>
</context>
<context>
    <name>WaypointManagerColumns</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>图标</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Field Notes</source>
        <translation>Field Notes</translation>
    </message>
    <message>
        <source>Time Found</source>
        <translation>Time Found</translation>
    </message>
</context>
<context>
    <name>WaypointManagerCommands</name>
    <message>
        <source>没有选择路点. 请选择一个路点后重试.</source>
        <translation>No waypoint selected. Please select a waypoint and try again.</translation>
    </message>
    <message>
        <source>此功能只可以选择一个路点.选择一个路点然后再试.</source>
        <translation>This works on one waypoint only. Select one waypoint and try again.</translation>
    </message>
    <message>
        <source>无可编辑的路点.请选择一个路点然后再选择编辑.</source>
        <translation>No waypoint to edit. Please select a waypoint, then choose Edit.</translation>
    </message>
    <message>
        <source>你已经选择了多个路点用于编辑。你能够改变选择的项目的细节.</source>
        <translation>You have selected several waypoints to edit. You can change details of all the selected items.</translation>
    </message>
    <message>
        <source>不能修改 -- 未知错误</source>
        <translation>Cannot modify -- unknown error</translation>
    </message>
    <message>
        <source>错误 - 不能够删除。未选择路点</source>
        <translation>Error - cannot delete. No waypoint selected</translation>
    </message>
    <message>
        <source>删除 %d 路点?</source>
        <translation>Delete %d waypoint(s)?</translation>
    </message>
    <message>
        <source>无法删除 -- 未知错误</source>
        <translation>Cannot delete -- unknown error</translation>
    </message>
    <message>
        <source>是否刷新路点列表?</source>
        <translation>Refresh the waypoint list?</translation>
    </message>
</context>
<context>
    <name>WaypointTables</name>
    <message>
        <source>路点</source>
        <translation>Waypoint</translation>
    </message>
    <message>
        <source>家/住宅</source>
        <translation>Residence</translation>
    </message>
    <message>
        <source>国家公园</source>
        <translation>National Park</translation>
    </message>
    <message>
        <source>酒吧/酒馆</source>
        <translation>Bar</translation>
    </message>
    <message>
        <source>机场</source>
        <translation>Airport</translation>
    </message>
    <message>
        <source>停车区</source>
        <translation>Parking Area</translation>
    </message>
    <message>
        <source>野餐区</source>
        <translation>Picnic Area</translation>
    </message>
    <message>
        <source>森林</source>
        <translation>Forest</translation>
    </message>
    <message>
        <source>远足小道</source>
        <translation>Trail Head</translation>
    </message>
    <message>
        <source>钓鱼区</source>
        <translation>Fishing Area</translation>
    </message>
    <message>
        <source>饮用水</source>
        <translation>Drinking water</translation>
    </message>
    <message>
        <source>露营区</source>
        <translation>Campground</translation>
    </message>
    <message>
        <source>危险区</source>
        <translation>Danger Area</translation>
    </message>
    <message>
        <source>4驱车道</source>
        <translation>4x4 Trail</translation>
    </message>
    <message>
        <source>加油站</source>
        <translation>Gas Station</translation>
    </message>
    <message>
        <source>小汽车</source>
        <translation>Car</translation>
    </message>
    <message>
        <source>食物</source>
        <translation>Food</translation>
    </message>
    <message>
        <source>码头</source>
        <translation>Marina</translation>
    </message>
    <message>
        <source>矿山</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>绿旗</source>
        <translation>Green Flag</translation>
    </message>
    <message>
        <source>红旗</source>
        <translation>Red Flag</translation>
    </message>
    <message>
        <source>高尔夫球场</source>
        <translation>Golf Course</translation>
    </message>
    <message>
        <source>Scenic View</source>
        <translation>Scenic View</translation>
    </message>
    <message>
        <source>Do Not</source>
        <translation>Do Not</translation>
    </message>
    <message>
        <source>Geocache</source>
        <translation>Geocache</translation>
    </message>
    <message>
        <source>Geocache-已找到</source>
        <translation>Geocache-Found</translation>
    </message>
    <message>
        <source>Geocache-Attemted</source>
        <translation>Geocache-Attempted</translation>
    </message>
    <message>
        <source>医疗中心</source>
        <translation>Medical Facility</translation>
    </message>
    <message>
        <source>自动服务</source>
        <translation>Car Repair</translation>
    </message>
    <message>
        <source>电话服务</source>
        <translation>Telephone</translation>
    </message>
    <message>
        <source>山顶</source>
        <translation>Summit</translation>
    </message>
    <message>
        <source>休息室</source>
        <translation>Restroom</translation>
    </message>
    <message>
        <source>建筑物 - 大</source>
        <translation>Building - Large</translation>
    </message>
    <message>
        <source>建筑物 - 小</source>
        <translation>Building - Small</translation>
    </message>
    <message>
        <source>游乐园</source>
        <translation>Amusement Park</translation>
    </message>
    <message>
        <source>购物中心</source>
        <translation>Shopping Center</translation>
    </message>
    <message>
        <source>公园</source>
        <translation>Park</translation>
    </message>
    <message>
        <source>理发店</source>
        <translation>Barber Shop</translation>
    </message>
    <message>
        <source>目标</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>坦克</source>
        <translation>Tank</translation>
    </message>
    <message>
        <source>Explosion</source>
        <translation>Explosion</translation>
    </message>
    <message>
        <source>标记 01</source>
        <translation>Marker 01</translation>
    </message>
    <message>
        <source>标记 02</source>
        <translation>Marker 02</translation>
    </message>
    <message>
        <source>标记 03</source>
        <translation>Marker 03</translation>
    </message>
    <message>
        <source>标记 04</source>
        <translation>Marker 04</translation>
    </message>
    <message>
        <source>标记 05</source>
        <translation>Marker 05</translation>
    </message>
    <message>
        <source>标记 06</source>
        <translation>Marker 06</translation>
    </message>
    <message>
        <source>标记 07</source>
        <translation>Marker 07</translation>
    </message>
    <message>
        <source>标记 08</source>
        <translation>Marker 08</translation>
    </message>
    <message>
        <source>标记 09</source>
        <translation>Marker 09</translation>
    </message>
    <message>
        <source>标记 10</source>
        <translation>Marker 10</translation>
    </message>
    <message>
        <source>湖泊</source>
        <translation>Lake</translation>
    </message>
    <message>
        <source>海洋</source>
        <translation>Ocean</translation>
    </message>
    <message>
        <source>摄像 - 超速</source>
        <translation>Camera - Speed</translation>
    </message>
    <message>
        <source>摄像 - 闯红灯</source>
        <translation>Camera - Red Light</translation>
    </message>
    <message>
        <source>摄像 - 路边</source>
        <translation>Camera - Roadside</translation>
    </message>
    <message>
        <source>桥梁</source>
        <translation>Bridge</translation>
    </message>
    <message>
        <source>路障</source>
        <translation>Roadblock</translation>
    </message>
    <message>
        <source>博物馆</source>
        <translation>Museum</translation>
    </message>
    <message>
        <source>天线</source>
        <translation>Antenna</translation>
    </message>
    <message>
        <source>旅馆/汽车旅馆</source>
        <translation>Hotel/Motel</translation>
    </message>
    <message>
        <source>俱乐部</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>拖车停车场</source>
        <translation>RV Park</translation>
    </message>
    <message>
        <source>办公室</source>
        <translation>Office</translation>
    </message>
    <message>
        <source>护林站</source>
        <translation>Ranger Station</translation>
    </message>
    <message>
        <source>滑雪</source>
        <translation>Skiing</translation>
    </message>
    <message>
        <source>Dot</source>
        <translation>Dot</translation>
    </message>
    <message>
        <source>地震断层</source>
        <translation>Fault Line</translation>
    </message>
    <message>
        <source>水域 溪流/小河</source>
        <translation>Water - Creek/Stream</translation>
    </message>
    <message>
        <source>海啸和水毁</source>
        <translation>Tsunami and Flood Damage</translation>
    </message>
    <message>
        <source>军队</source>
        <translation>Military</translation>
    </message>
    <message>
        <source>Ghost Town</source>
        <translation>Ghost Town</translation>
    </message>
    <message>
        <source>观鸟</source>
        <translation>Bird Watching</translation>
    </message>
    <message>
        <source>船匝道</source>
        <translation>Boat Ramp</translation>
    </message>
    <message>
        <source>电线杆</source>
        <translation>Utility Pole</translation>
    </message>
    <message>
        <source>基站</source>
        <translation>Cell Tower</translation>
    </message>
    <message>
        <source>无线电中继</source>
        <translation>Radio Repeater</translation>
    </message>
    <message>
        <source>数据收集站</source>
        <translation>Data Collection Station</translation>
    </message>
    <message>
        <source>HAM Radio Shack</source>
        <translation>HAM Radio Shack</translation>
    </message>
    <message>
        <source>跳伞区</source>
        <translation>Skydiving Area</translation>
    </message>
    <message>
        <source>无线热点</source>
        <translation>Wi-Fi Hotspot</translation>
    </message>
    <message>
        <source>休息站</source>
        <translation>Rest Area</translation>
    </message>
    <message>
        <source>气象站</source>
        <translation>Weather Station</translation>
    </message>
    <message>
        <source>Geocache-已发现已日志</source>
        <translation>Geocache-Found and Logged</translation>
    </message>
    <message>
        <source>Geocache-ToDo</source>
        <translation>Geocache-To Do</translation>
    </message>
    <message>
        <source>Geocache-Archived</source>
        <translation>Geocache-Archived</translation>
    </message>
    <message>
        <source>Geocache-新的和未找到</source>
        <translation>Geocache-New and Unfound</translation>
    </message>
    <message>
        <source>Geocache-Future Cache</source>
        <translation>Geocache-Future Cache</translation>
    </message>
    <message>
        <source>Geocache-My Cache</source>
        <translation>Geocache-My Cache</translation>
    </message>
    <message>
        <source>停机坪</source>
        <translation>Helipad</translation>
    </message>
    <message>
        <source>建筑物 - 政府</source>
        <translation>Building - Government</translation>
    </message>
    <message>
        <source>灯柱</source>
        <translation>Lamp Post</translation>
    </message>
    <message>
        <source>银行</source>
        <translation>Bank</translation>
    </message>
    <message>
        <source>岩石</source>
        <translation>Rock</translation>
    </message>
    <message>
        <source>Geocache-多个</source>
        <translation>Geocache-Multi</translation>
    </message>
    <message>
        <source>Radiator Water</source>
        <translation>Radiator Water</translation>
    </message>
    <message>
        <source>兴趣点</source>
        <translation>Point of Interest</translation>
    </message>
    <message>
        <source>方向 左转</source>
        <translation>Direction - Turn Left</translation>
    </message>
    <message>
        <source>方向 右转</source>
        <translation>Direction - Turn Right</translation>
    </message>
    <message>
        <source>方向 直行</source>
        <translation>Direction - Straight On</translation>
    </message>
    <message>
        <source>Benchmark</source>
        <translation>Benchmark</translation>
    </message>
    <message>
        <source>攀岩</source>
        <translation>Rock Climbing</translation>
    </message>
    <message>
        <source>灯塔</source>
        <translation>Lighthouse</translation>
    </message>
    <message>
        <source>动物园</source>
        <translation>Zoo</translation>
    </message>
    <message>
        <source>边境通道</source>
        <translation>Border Crossing</translation>
    </message>
    <message>
        <source>Geocache-首先寻找</source>
        <translation>Geocache-First to Find</translation>
    </message>
    <message>
        <source>垃圾桶</source>
        <translation>Trash Can</translation>
    </message>
    <message>
        <source>火车站</source>
        <translation>Train Station</translation>
    </message>
    <message>
        <source>巴士站</source>
        <translation>Bus Stop</translation>
    </message>
    <message>
        <source>墓地</source>
        <translation>Cemetery</translation>
    </message>
    <message>
        <source>体育场</source>
        <translation>Stadium</translation>
    </message>
    <message>
        <source>信息台</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Geocache-Milestone</source>
        <translation>Geocache-Milestone</translation>
    </message>
    <message>
        <source>Geocache-未知</source>
        <translation>Geocache-Unknown</translation>
    </message>
    <message>
        <source>Geocache-虚拟</source>
        <translation>Geocache-Virtual</translation>
    </message>
    <message>
        <source>Geocache-Letterbox</source>
        <translation>Geocache-Letterbox</translation>
    </message>
    <message>
        <source>Geocache-Earthcache</source>
        <translation>Geocache-Earthcache</translation>
    </message>
    <message>
        <source>Geocache-Mystery</source>
        <translation>Geocache-Mystery</translation>
    </message>
    <message>
        <source>防火了望塔</source>
        <translation>Fire Lookout</translation>
    </message>
    <message>
        <source>警察局</source>
        <translation>Police Station</translation>
    </message>
    <message>
        <source>学校</source>
        <translation>School</translation>
    </message>
    <message>
        <source>Fire Damage</source>
        <translation>Fire Damage</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Geocache-Bonus</source>
        <translation>Geocache-Bonus</translation>
    </message>
    <message>
        <source>缆车</source>
        <translation>Cable Car</translation>
    </message>
    <message>
        <source>宗教 - 教堂</source>
        <translation>Religious - Church</translation>
    </message>
    <message>
        <source>宗教 - 犹太圣殿</source>
        <translation>Religious - Synagogue</translation>
    </message>
    <message>
        <source>宗教 - 清真寺</source>
        <translation>Religious - Mosque</translation>
    </message>
    <message>
        <source>宗教 - 寺庙</source>
        <translation>Religious - Temple</translation>
    </message>
    <message>
        <source>规划路点</source>
        <translation>Projected Waypoint</translation>
    </message>
    <message>
        <source>海滩</source>
        <translation>Beach</translation>
    </message>
    <message>
        <source>话筒</source>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>喇叭</source>
        <translation>Loudspeaker</translation>
    </message>
    <message>
        <source>沉船</source>
        <translation>Shipwreck</translation>
    </message>
    <message>
        <source>城堡</source>
        <translation>Castle</translation>
    </message>
    <message>
        <source>塔</source>
        <translation>Tower</translation>
    </message>
    <message>
        <source>弯路</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>遗址</source>
        <translation>Ruins</translation>
    </message>
    <message>
        <source>红绿灯</source>
        <translation>Traffic Light</translation>
    </message>
    <message>
        <source>城市 - 小</source>
        <translation>City - Small</translation>
    </message>
    <message>
        <source>城市 - 中</source>
        <translation>City - Medium</translation>
    </message>
    <message>
        <source>城市 - 大</source>
        <translation>City - Large</translation>
    </message>
    <message>
        <source>马厩</source>
        <translation>Stable</translation>
    </message>
    <message>
        <source>渡轮</source>
        <translation>Ferry</translation>
    </message>
    <message>
        <source>健身房</source>
        <translation>Gym</translation>
    </message>
    <message>
        <source>地铁</source>
        <translation>Subway</translation>
    </message>
    <message>
        <source>Geocache-需要维护</source>
        <translation>Geocache-Needs Maintenance</translation>
    </message>
    <message>
        <source>摄制地点</source>
        <translation>Filming Location</translation>
    </message>
    <message>
        <source>Hydrogen Fuel</source>
        <translation>Hydrogen Fuel</translation>
    </message>
    <message>
        <source>Electrical Fueling</source>
        <translation>Electric Charging</translation>
    </message>
    <message>
        <source>自行车路线</source>
        <translation>Bike Trail</translation>
    </message>
    <message>
        <source>Geocache 未找到</source>
        <translation>Geocache Not Found</translation>
    </message>
    <message>
        <source>Geocache Found</source>
        <translation>Geocache Found</translation>
    </message>
    <message>
        <source>Geocache Attempted</source>
        <translation>Geocache Attempted</translation>
    </message>
    <message>
        <source>Geocache To Do</source>
        <translation>Geocache To Do</translation>
    </message>
    <message>
        <source>Geocache 存档</source>
        <translation>Geocache Archived</translation>
    </message>
    <message>
        <source>Geocache 已找到已日志</source>
        <translation>Geocache Found and Logged</translation>
    </message>
    <message>
        <source>Geocache 新的和未找到</source>
        <translation>Geocache New and Unfound</translation>
    </message>
    <message>
        <source>Geocache My Cache (Mine)</source>
        <translation>Geocache My Cache (Mine)</translation>
    </message>
    <message>
        <source>Geocache 多个</source>
        <translation>Geocache Multi</translation>
    </message>
    <message>
        <source>Geocache 首先寻找</source>
        <translation>Geocache First to Find</translation>
    </message>
    <message>
        <source>Geocache Milestone</source>
        <translation>Geocache Milestone</translation>
    </message>
    <message>
        <source>Geocache 未知</source>
        <translation>Geocache Unknown</translation>
    </message>
    <message>
        <source>Geocache 虚拟</source>
        <translation>Geocache Virtual</translation>
    </message>
    <message>
        <source>Geocache Letterbox</source>
        <translation>Geocache Letterbox</translation>
    </message>
    <message>
        <source>Geocache Earthcache</source>
        <translation>Geocache Earthcache</translation>
    </message>
    <message>
        <source>Geocache Mystery</source>
        <translation>Geocache Mystery</translation>
    </message>
    <message>
        <source>Geocache Bonus</source>
        <translation>Geocache Bonus</translation>
    </message>
    <message>
        <source>Geocache 需要维护</source>
        <translation>Geocache Needs Maintenance</translation>
    </message>
    <message>
        <source>罗盘和方向</source>
        <translation>Compass and direction</translation>
    </message>
    <message>
        <source>模拟 速度表</source>
        <translation>Analog speedometer</translation>
    </message>
    <message>
        <source>数字 速度表</source>
        <translation>Digital speedometer</translation>
    </message>
    <message>
        <source>罗盘和方向预警</source>
        <translation>Compass and direction, alert</translation>
    </message>
    <message>
        <source>模拟 速度表-预警</source>
        <translation>Analog speedometer, alert</translation>
    </message>
    <message>
        <source>数字 速度表-预警</source>
        <translation>Digital speedometer, alert</translation>
    </message>
</context>
<context>
    <name>hw::AlarmControls</name>
    <message>
        <source>激活</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>触发距离:</source>
        <translation>Alarm distance:</translation>
    </message>
    <message>
        <source>播放声音:</source>
        <translation>Play sound:</translation>
    </message>
    <message>
        <source>消息类型:</source>
        <translation>Message type:</translation>
    </message>
</context>
<context>
    <name>hw::AltProfileWnd</name>
    <message>
        <source>清除海拔图表(&amp;C)</source>
        <translation>&amp;Clear altitude chart</translation>
    </message>
    <message>
        <source>隐藏窗口(&amp;H)</source>
        <translation>&amp;Hide window</translation>
    </message>
    <message>
        <source>地图属性(&amp;M)...</source>
        <translation>&amp;Map Properties...</translation>
    </message>
</context>
<context>
    <name>hw::AltitudeSettingsDialog</name>
    <message>
        <source>海拔设置</source>
        <translation>Altitude Settings</translation>
    </message>
    <message>
        <source>采样模式:</source>
        <translation>Sampling mode:</translation>
    </message>
    <message>
        <source>按距离阀值采样:</source>
        <translation>Sample every (distance):</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Every fix</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>By distance</translation>
    </message>
</context>
<context>
    <name>hw::ArrangeColumnsDialog</name>
    <message>
        <source>排列栏</source>
        <translation>Arrange Columns</translation>
    </message>
    <message>
        <source>向上移动</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>向下移动</source>
        <translation>Move Down</translation>
    </message>
</context>
<context>
    <name>hw::CEditMultipleWPPropSheet</name>
    <message>
        <source>编辑多个路点</source>
        <translation>Edit Multiple Waypoints</translation>
    </message>
    <message>
        <source>图标/状态</source>
        <translation>Symbol/State</translation>
    </message>
    <message>
        <source>激活路点</source>
        <translation>Proximity Alarm</translation>
    </message>
    <message>
        <source>修改图标</source>
        <translation>Change symbol</translation>
    </message>
    <message>
        <source>修改 Geocache 状态</source>
        <translation>Change geocache state</translation>
    </message>
    <message>
        <source>设置 Geocache 状态图标</source>
        <translation>Set icon to Geocache State</translation>
    </message>
    <message>
        <source>修改激活路点</source>
        <translation>Change proximity alarm</translation>
    </message>
</context>
<context>
    <name>hw::CEditWaypointPropPage1</name>
    <message>
        <source>The &quot;Set icon to Geocache State&quot; is checked in the Geocache section of this dialog. Selecting an icon here may not have any affect.</source>
        <translation>The &quot;Set icon to Geocache State&quot; is checked in the Geocache section of this dialog. Selecting a symbol here may have no effect.</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>纬度:</source>
        <translation>Latitude:</translation>
    </message>
    <message>
        <source>经度:</source>
        <translation>Longitude:</translation>
    </message>
    <message>
        <source>海拔:</source>
        <translation>Altitude:</translation>
    </message>
    <message>
        <source>图标:</source>
        <translation>Symbol:</translation>
    </message>
    <message>
        <source>设定</source>
        <translation>General</translation>
    </message>
</context>
<context>
    <name>hw::CEditWaypointPropPage2</name>
    <message>
        <source>激活路点</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>hw::CEditWaypointPropPage3</name>
    <message>
        <source>设置 Geocache 状态图标</source>
        <translation>Set icon to Geocache State</translation>
    </message>
    <message>
        <source>设置已发现的时间为当前时间</source>
        <translation>Set found time to now</translation>
    </message>
    <message>
        <source>Geocache 状态</source>
        <translation>Geocache state</translation>
    </message>
    <message>
        <source>Geocache 发现于:</source>
        <translation>Found on:</translation>
    </message>
    <message>
        <source>Catche链接:</source>
        <translation>Cache link:</translation>
    </message>
</context>
<context>
    <name>hw::CEditWaypointPropPage4</name>
    <message>
        <source>注释/描述</source>
        <translation>Comment</translation>
    </message>
</context>
<context>
    <name>hw::CEditWaypointPropPage5</name>
    <message>
        <source>队列为 上传/导出</source>
        <translation>Queue for upload/export</translation>
    </message>
    <message>
        <source>区域注释</source>
        <translation>Field Notes</translation>
    </message>
</context>
<context>
    <name>hw::CEditWaypointPropSheet</name>
    <message>
        <source>编辑路点</source>
        <translation>Edit Waypoint</translation>
    </message>
</context>
<context>
    <name>hw::CImportCSVPropSheet</name>
    <message>
        <source>CSV 导入设定</source>
        <translation>CSV Import Settings</translation>
    </message>
    <message>
        <source>CSV 设定</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>路点设定</source>
        <translation>Waypoints</translation>
    </message>
    <message>
        <source>经度、纬度、注释</source>
        <translation>Longitude, latitude, comment</translation>
    </message>
    <message>
        <source>纬度、经度、注释</source>
        <translation>Latitude, longitude, comment</translation>
    </message>
    <message>
        <source>跳过首行</source>
        <translation>Skip first line</translation>
    </message>
    <message>
        <source>启用激活路点</source>
        <translation>Enable proximity alarm</translation>
    </message>
    <message>
        <source>手动设置路点图标为:</source>
        <translation>Set waypoint symbol to:</translation>
    </message>
    <message>
        <source>触发距离:</source>
        <translation>Alarm distance:</translation>
    </message>
    <message>
        <source>消息类型:</source>
        <translation>Message type:</translation>
    </message>
</context>
<context>
    <name>hw::CMainFrame</name>
    <message>
        <source>无法够创建记录文件。请检查文件名字然后再试.</source>
        <translation>Cannot create the log file. Check the file name and try again.</translation>
    </message>
    <message>
        <source>文件错误!</source>
        <translation>File error!</translation>
    </message>
    <message>
        <source>Hikewise - 演示</source>
        <translation>Hikewise - Demo</translation>
    </message>
    <message>
        <source>演示</source>
        <translation>Demo</translation>
    </message>
    <message>
        <source>内置的演示路线: 轨迹和位置不会保存</source>
        <translation>Built-in demo walk: the track and the position are not saved</translation>
    </message>
    <message>
        <source>此选项将发送初始化字符串的GPS,启用具体的NMEA语句.这是SiRF具体初始化.是否要继续?</source>
        <translation>This sends an initialisation string to the GPS that turns on particular NMEA sentences. It is meant for SiRF receivers only. Do you want to continue?</translation>
    </message>
    <message>
        <source>这些设定专为基于 SiRF 的 GPS 接收机而设计。个别功能可能要依赖于硬件和制造商的支持。你想要继续吗?</source>
        <translation>These settings are meant for GPS receivers built on SiRF chip sets. Some functions depend on the hardware and its maker&apos;s support. Do you want to continue?</translation>
    </message>
    <message>
        <source>记录 NMEA 日志</source>
        <translation>Record NMEA Log</translation>
    </message>
    <message>
        <source>回放记录的 NMEA 文件</source>
        <translation>Replay Recorded NMEA File</translation>
    </message>
    <message>
        <source>关于 Hikewise</source>
        <translation>About Hikewise</translation>
    </message>
    <message>
        <source>最近路点</source>
        <translation>Nearest Waypoint</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Hikewise %1&lt;/h3&gt;&lt;p&gt;为徒步旅行者和寻宝者设计的 GPS 伴侣。&lt;/p&gt;&lt;p&gt;卫星、仪表、旅行、地图和分析，路点和 geocache 数据库，NMEA 日志记录和回放。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Hikewise %1&lt;/h3&gt;&lt;p&gt;A GPS companion for hikers and geocachers.&lt;/p&gt;&lt;p&gt;Satellites, gauges, trip, map and analysis; a waypoint and geocache database; NMEA logging and replay.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>hw::CPicEdit</name>
    <message>
        <source>撤消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>hw::ChangePaneDialog</name>
    <message>
        <source>改变此区域</source>
        <translation>Change This Pane</translation>
    </message>
    <message>
        <source>窗格:</source>
        <translation>Pane:</translation>
    </message>
</context>
<context>
    <name>hw::CommandBars</name>
    <message>
        <source>菜单和图标</source>
        <translation>Menu and Icons</translation>
    </message>
</context>
<context>
    <name>hw::CourseCommands</name>
    <message>
        <source>GPX, KML 和轨迹文件|*.gpx;*.kml;*.trk|所有文件 (*.*)|*.*||</source>
        <translation>GPX, KML and Track Files|*.gpx;*.kml;*.trk|All Files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>%1 还含有轨迹或路线.要把它们打开为路线吗?</source>
        <translation>%1 also holds tracks or routes. Open them as courses?</translation>
    </message>
    <message>
        <source>%1 中没有轨迹或路线.</source>
        <translation>%1 holds no track or route.</translation>
    </message>
    <message>
        <source>无法打开路线文件 %1:
%2</source>
        <translation>Cannot open the course file %1:
%2</translation>
    </message>
    <message>
        <source>无法保存路线: %1</source>
        <translation>Cannot keep the course: %1</translation>
    </message>
    <message>
        <source>打开路线</source>
        <translation>Open Course</translation>
    </message>
</context>
<context>
    <name>hw::CourseManagerDialog</name>
    <message>
        <source>路线管理</source>
        <translation>Courses</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>长度</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>爬升</source>
        <translation>Ascent</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>重命名...</source>
        <translation>Rename...</translation>
    </message>
    <message>
        <source>重命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>导出 GPX...</source>
        <translation>Export GPX...</translation>
    </message>
    <message>
        <source>在地图上显示</source>
        <translation>Show on Map</translation>
    </message>
    <message>
        <source>跟随</source>
        <translation>Follow</translation>
    </message>
    <message>
        <source>反向跟随</source>
        <translation>Follow Reversed</translation>
    </message>
    <message>
        <source>删除路线 &quot;%1&quot;?</source>
        <translation>Delete the course &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>导出 GPX</source>
        <translation>Export GPX</translation>
    </message>
</context>
<context>
    <name>hw::DisclaimerDialog</name>
    <message>
        <source>下次不再显示此信息</source>
        <translation>Do not show this again</translation>
    </message>
</context>
<context>
    <name>hw::GpsdConnection</name>
    <message>
        <source>连接被拒绝 (gpsd 没有运行?)</source>
        <translation>connection refused (is gpsd running?)</translation>
    </message>
    <message>
        <source>连接超时</source>
        <translation>connection timed out</translation>
    </message>
    <message>
        <source>无法到达主机</source>
        <translation>host unreachable</translation>
    </message>
    <message>
        <source>找不到主机: </source>
        <translation>host not found: </translation>
    </message>
</context>
<context>
    <name>hw::ImportSettingsDialog</name>
    <message>
        <source>导入路点设定</source>
        <translation>Waypoint Import Settings</translation>
    </message>
    <message>
        <source>保留现有路点</source>
        <translation>Keep existing waypoints</translation>
    </message>
    <message>
        <source>覆盖现有路点</source>
        <translation>Overwrite existing waypoints</translation>
    </message>
    <message>
        <source>在导入路点时:</source>
        <translation>When importing waypoints:</translation>
    </message>
</context>
<context>
    <name>hw::InitialSetupDialog</name>
    <message>
        <source>欢迎使用Hikewise 配置程序。你想让Hikewise尝试寻找GPS接收器吗？ 如果你选择不你可以稍后使用菜单 工具-&gt;GPS-&gt;自动检测 GPS.</source>
        <translation>Welcome to Hikewise&apos;s set-up. Shall Hikewise look for your GPS receiver? If you choose not to, you can do it later from the menu Tools-&gt;GPS-&gt;Auto-Detect GPS.</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>跳过</source>
        <translation>Skip</translation>
    </message>
</context>
<context>
    <name>hw::MapPageParts</name>
    <message>
        <source>路点</source>
        <translation>Waypoints</translation>
    </message>
</context>
<context>
    <name>hw::MapPropertiesSheet</name>
    <message>
        <source>地图属性</source>
        <translation>Map Properties</translation>
    </message>
    <message>
        <source>地图正北</source>
        <translation>North up</translation>
    </message>
    <message>
        <source>航向向上</source>
        <translation>Course up</translation>
    </message>
    <message>
        <source>路点到达告警距离:</source>
        <translation>Arrival alarm distance:</translation>
    </message>
    <message>
        <source>显示导航窗口</source>
        <translation>Show navigation window</translation>
    </message>
    <message>
        <source>显示海拔高度窗口</source>
        <translation>Show altitude window</translation>
    </message>
    <message>
        <source>使用大号路点 (VGA)</source>
        <translation>Large waypoints (VGA)</translation>
    </message>
    <message>
        <source>使用大号位置图标 (VGA)</source>
        <translation>Large position icon (VGA)</translation>
    </message>
    <message>
        <source>地图</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>限制路点平均</source>
        <translation>Limit waypoint averaging</translation>
    </message>
    <message>
        <source>HDOP 阀值:</source>
        <translation>HDOP threshold:</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Averaging</translation>
    </message>
    <message>
        <source>启用轨迹过滤</source>
        <translation>Filter the track</translation>
    </message>
    <message>
        <source>距离阀值:</source>
        <translation>Distance threshold:</translation>
    </message>
    <message>
        <source>使用 GPS 指示的航向</source>
        <translation>Use course from GPS</translation>
    </message>
    <message>
        <source>使用计算得到航向</source>
        <translation>Use computed course</translation>
    </message>
    <message>
        <source>航向距离阀值:</source>
        <translation>Course distance threshold:</translation>
    </message>
    <message>
        <source>过滤器</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>道路</source>
        <translation>Roads</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>Areas</translation>
    </message>
    <message>
        <source>线</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>地图数据</source>
        <translation>Map Data</translation>
    </message>
    <message>
        <source>地形阴影</source>
        <translation>Hill shading</translation>
    </message>
    <message>
        <source>阴影强度</source>
        <translation>Shading strength</translation>
    </message>
    <message>
        <source>等高线</source>
        <translation>Contour lines</translation>
    </message>
    <message>
        <source>地形</source>
        <translation>Terrain</translation>
    </message>
    <message>
        <source>路线</source>
        <translation>Routes</translation>
    </message>
    <message>
        <source>最短</source>
        <translation>Shortest</translation>
    </message>
    <message>
        <source>徒步</source>
        <translation>Hiking</translation>
    </message>
    <message>
        <source>规划方式:</source>
        <translation>Route mode:</translation>
    </message>
    <message>
        <source>最高难度:</source>
        <translation>Highest difficulty:</translation>
    </message>
    <message>
        <source>步行时间系数:</source>
        <translation>Walking time factor:</translation>
    </message>
    <message>
        <source>偏离路线距离:</source>
        <translation>Off-course distance:</translation>
    </message>
</context>
<context>
    <name>hw::MapWnd</name>
    <message>
        <source>在这个地点有超过一个路点.你想要从列表中选择这个路点吗?</source>
        <translation>There is more than one waypoint at this spot. Do you want to choose the waypoint from a list?</translation>
    </message>
    <message>
        <source>最近路点</source>
        <translation>Nearest Waypoint</translation>
    </message>
    <message>
        <source>路点</source>
        <translation>Waypoint</translation>
    </message>
    <message>
        <source>前往此路点(&amp;T)...</source>
        <translation>Go &amp;To This Waypoint...</translation>
    </message>
    <message>
        <source>编辑此路点(&amp;E)...</source>
        <translation>&amp;Edit This Waypoint...</translation>
    </message>
    <message>
        <source>删除此路点(&amp;D)...</source>
        <translation>&amp;Delete This Waypoint...</translation>
    </message>
    <message>
        <source>规划路点...</source>
        <translation>Project Waypoint...</translation>
    </message>
    <message>
        <source>已找到</source>
        <translation>Found it</translation>
    </message>
    <message>
        <source>未找到</source>
        <translation>Didn&apos;t find it</translation>
    </message>
    <message>
        <source>显示 Geocache 信息...</source>
        <translation>Show Geocache Info...</translation>
    </message>
    <message>
        <source>在此标记路点(&amp;H)</source>
        <translation>Mark Waypoint &amp;Here</translation>
    </message>
    <message>
        <source>以此居中地图(&amp;C)</source>
        <translation>&amp;Center Map Here</translation>
    </message>
    <message>
        <source>设置当前位置到此</source>
        <translation>Set Position Here</translation>
    </message>
    <message>
        <source>清除当前轨迹(&amp;E)</source>
        <translation>Cl&amp;ear Track</translation>
    </message>
    <message>
        <source>地图设定</source>
        <translation>Map Settings</translation>
    </message>
    <message>
        <source>地图正北</source>
        <translation>&amp;North Up</translation>
    </message>
    <message>
        <source>航向在上(&amp;C)</source>
        <translation>&amp;Course Up</translation>
    </message>
    <message>
        <source>地图属性(&amp;M)...</source>
        <translation>&amp;Map Properties...</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>无法保存轨迹到 %1, 稍后将再试.</source>
        <translation>The track cannot be saved to %1; it will be tried again.</translation>
    </message>
    <message>
        <source>跟随此路线(&amp;F)</source>
        <translation>&amp;Follow This Course</translation>
    </message>
    <message>
        <source>隐藏此路线</source>
        <translation>Hide This Course</translation>
    </message>
    <message>
        <source>规划路线到此路点</source>
        <translation>Plan Route to This Waypoint</translation>
    </message>
    <message>
        <source>规划路线到此处(&amp;R)</source>
        <translation>Plan &amp;Route to Here</translation>
    </message>
    <message>
        <source>保存路线...</source>
        <translation>Save Route...</translation>
    </message>
</context>
<context>
    <name>hw::MiscSettingsDialog</name>
    <message>
        <source>杂项设定</source>
        <translation>Miscellaneous Settings</translation>
    </message>
    <message>
        <source>禁止系统自动休眠</source>
        <translation>Keep the system from sleeping</translation>
    </message>
    <message>
        <source>旧版路点文件与非 UTF-8 的 LOC、CSV 文件的代码页 (936: 简体中文)</source>
        <translation>Code page of old waypoint files and of LOC and CSV files that are not UTF-8 (936: Simplified Chinese)</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>桌面系统的语言</source>
        <translation>Desktop&apos;s language</translation>
    </message>
    <message>
        <source>ANSI 代码页:</source>
        <translation>ANSI code page:</translation>
    </message>
    <message>
        <source>界面语言:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>更改的界面语言在下次启动程序时生效。</source>
        <translation>A new language takes effect the next time Hikewise starts.</translation>
    </message>
    <message>
        <source>代码页 %1 不可用。</source>
        <translation>Code page %1 is not available.</translation>
    </message>
</context>
<context>
    <name>hw::PlanWaypointDialog</name>
    <message>
        <source>公里</source>
        <translation>km</translation>
    </message>
    <message>
        <source>米</source>
        <translation>m</translation>
    </message>
    <message>
        <source>英里</source>
        <translation>mi</translation>
    </message>
    <message>
        <source>英尺</source>
        <translation>ft</translation>
    </message>
    <message>
        <source>规划路点</source>
        <translation>Projected Waypoint</translation>
    </message>
    <message>
        <source>距离:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>方位:</source>
        <translation>Bearing:</translation>
    </message>
</context>
<context>
    <name>hw::PortSettingsDialog</name>
    <message>
        <source>通信端口设定</source>
        <translation>Serial Port Settings</translation>
    </message>
    <message>
        <source>启用自动重连</source>
        <translation>Reconnect automatically</translation>
    </message>
    <message>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>设备:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>gpsd 地址无效。请输入 主机:端口，例如 %1</source>
        <translation>The gpsd address is not valid. Enter HOST:PORT, for example %1</translation>
    </message>
    <message>
        <source>错误 - 无法列举串口</source>
        <translation>Error - cannot list the serial ports</translation>
    </message>
</context>
<context>
    <name>hw::ReceiverSearchDialog</name>
    <message>
        <source>查找 GPS</source>
        <translation>Find GPS</translation>
    </message>
    <message>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>状态:</source>
        <translation>Status:</translation>
    </message>
</context>
<context>
    <name>hw::RouteCommands</name>
    <message>
        <source>正在规划路线...</source>
        <translation>Planning the route...</translation>
    </message>
    <message>
        <source>规划路线</source>
        <translation>Planned route</translation>
    </message>
    <message>
        <source>保存路线</source>
        <translation>Save Route</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>hw::SirfSettingsDialog</name>
    <message>
        <source>SiRF GPS 设定</source>
        <translation>SiRF GPS Settings</translation>
    </message>
    <message>
        <source>启用静态导航</source>
        <translation>Enable static navigation</translation>
    </message>
    <message>
        <source>启用 WAAS/EGNOS</source>
        <translation>Enable WAAS/EGNOS</translation>
    </message>
    <message>
        <source>NMEA 频率 (秒):</source>
        <translation>NMEA interval (seconds):</translation>
    </message>
</context>
<context>
    <name>hw::SpeedSettingsDialog</name>
    <message>
        <source>速度设置</source>
        <translation>Speed Settings</translation>
    </message>
    <message>
        <source>最大速度:</source>
        <translation>Maximum speed:</translation>
    </message>
</context>
<context>
    <name>hw::UserDialogs</name>
    <message>
        <source>%1 已存在。要替换它吗?</source>
        <translation>%1 already exists. Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>hw::WaypointImportCommand</name>
    <message>
        <source>导入路点</source>
        <translation>Import Waypoints</translation>
    </message>
</context>
<context>
    <name>hw::WaypointImportRunner</name>
    <message>
        <source>导入路点...</source>
        <translation>Importing waypoints...</translation>
    </message>
</context>
<context>
    <name>hw::WaypointListDialog</name>
    <message>
        <source>搜索文字:</source>
        <translation>Search text:</translation>
    </message>
</context>
<context>
    <name>hw::WaypointManagerDialog</name>
    <message>
        <source>路点管理</source>
        <translation>Waypoint Manager</translation>
    </message>
    <message>
        <source>管理</source>
        <translation>Manage</translation>
    </message>
    <message>
        <source>搜索过滤器</source>
        <translation>Search Filter</translation>
    </message>
    <message>
        <source>列表信息</source>
        <translation>List Info</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>前往</source>
        <translation>Go To</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>所有路点</source>
        <translation>All waypoints</translation>
    </message>
    <message>
        <source>附近路点</source>
        <translation>Nearby waypoints</translation>
    </message>
    <message>
        <source>列表:</source>
        <translation>List:</translation>
    </message>
    <message>
        <source>最大距离:</source>
        <translation>Max. distance:</translation>
    </message>
    <message>
        <source>启用过滤器</source>
        <translation>Enable filter</translation>
    </message>
    <message>
        <source>区分大小写</source>
        <translation>Match case</translation>
    </message>
    <message>
        <source>搜索文字:</source>
        <translation>Search text:</translation>
    </message>
    <message>
        <source>排列栏</source>
        <translation>Arrange Columns</translation>
    </message>
    <message>
        <source>列表中项目数量:</source>
        <translation>Items in list:</translation>
    </message>
    <message>
        <source>编辑...</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>设置当前位置为路点</source>
        <translation>Set Position to Waypoint</translation>
    </message>
    <message>
        <source>显示 Geocache 信息...</source>
        <translation>Show Geocache Info...</translation>
    </message>
    <message>
        <source>在地图上显示路点</source>
        <translation>Show Waypoint on Map</translation>
    </message>
    <message>
        <source>规划路线到此路点</source>
        <translation>Plan Route to This Waypoint</translation>
    </message>
</context>
<context>
    <name>hw::WaypointSheetDialog</name>
    <message>
        <source>错误 - 路点名字重复。请为此路点选择一个不同的名字.</source>
        <translation>Error - duplicate waypoint name. Please choose a different name for this waypoint.</translation>
    </message>
    <message>
        <source>错误 - 不能够增加路点.</source>
        <translation>Error - cannot add the waypoint.</translation>
    </message>
</context>
</TS>
